#!/usr/bin/env bash
# No key answers a question of the real program, under openbox: Return, keypad Enter,
# Space and Escape are pressed on every question, and each one is still there afterwards,
# with the program and the colouring:
#  - without the parental password: quitting;
#  - the first-run notice for the adult;
#  - with the password: clearing the colours, quitting, saving, printing, the About box,
#    the options and the chooser's more pictures; then quitting through the shown
#    password box, where keypad Enter still confirms.
# Usage: question_keys.sh <program folder> <resources> <shot prefix>
set -uo pipefail
program_dir=$1 resources=$2 shots=$3

needs="openbox"
. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/lock_session.sh"

running() { kill -0 "$pid" 2>/dev/null; }
gone() { ! running; }
taller_than() { [ -n "$(shown "$1")" ] && eval "$(geometry "$(shown "$1")")" && [ "$HEIGHT" -gt "$2" ]; }
# differing A B GEOMETRY: how many pixels of that area of the two pictures differ.
differing() {
    compare -metric AE -extract "$3" "$1" "$2" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1
}
region_changed() {
    import -window root "$work/now.png"
    [ "$(differing "$1" "$work/now.png" "$2")" -gt 0 ]
}
start() {
    (cd "$prog" && exec ./crayvex) 2>>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
}
keys() { xdotool key Return KP_Enter space Escape; }

prog=$work/program
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures"
export HOME=$work

canvas=1024x640+0+120

# question_stays WHAT: the keys on the question shown now answer nothing.
question_stays() {
    local message
    wait_until is_shown Message || fail "$1: nothing asked"
    message=$(shown Message)
    eval "$(geometry "$message")"
    [ "$HEIGHT" = 160 ] || fail "$1: the question is not folded"
    keys
    # The toggle, clicked after the keys, unfolds the question once the program has read
    # them (a Return that unfolded the password row would fold it again here).
    message_button toggle
    wait_until taller_than Message 160 || fail "$1: a key answered the question"
    [ "$(shown Message)" = "$message" ] || fail "$1: the question was answered"
    running || fail "$1: a key ended the program"
    import -window root "$shots-question.png"
}
# cancel: the question's Cancel button closes it.
cancel() {
    message_button cancel
    wait_until none_shown Message || fail "$1: Cancel did not close the question"
    running || fail "$1: Cancel ended the program"
}
# the_colouring_is_there WHAT: the canvas is as it was after the stroke.
the_colouring_is_there() {
    import -window root "$work/now.png"
    [ "$(differing "$work/coloured.png" "$work/now.png" "$canvas")" = 0 ] ||
        fail "$1: the colouring changed"
}

bar_y=$(($(size_of h design/pFunc0) / 2))
bar_x=()
x=0
for i in 0 1 2 3 4; do
    fw=$(size_of w "design/pFunc$i")
    bar_x+=($((x + fw / 2)))
    x=$((x + fw))
done

# ---- Quitting without the password ---------------------------------------------------
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
start
choose_cell 0 0 || fail "no chooser"
wait_until none_shown Open || fail "the chooser did not close"
xdotool mousemove "${bar_x[0]}" "$bar_y" click 1
question_stays "quit without the password"
cancel "quit without the password"
echo "quit without the password: no key answers it"
kill "$pid"
wait_until gone || fail "the program did not end"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"

# ---- The first-run notice ------------------------------------------------------------
start
wait_until is_shown Message || fail "no first-run notice"
notice=$(shown Message)
eval "$(geometry "$notice")"
keys
# The Continue link lights up under the pointer once the program has read the keys
# pressed before: the notice must still be there then.
import -window root "$work/before.png"
link_area=60x17+$((X + 344))+$((Y + 160))
xdotool mousemove $((X + 364)) $((Y + 168))
wait_until region_changed "$work/before.png" "$link_area" ||
    fail "a key answered the first-run notice, or its link did not light up"
[ "$(shown Message)" = "$notice" ] || fail "a key answered the first-run notice"
running || fail "a key on the first-run notice ended the program"
xdotool click 1
wait_until is_shown Options || fail "no options window"
eval "$(geometry "$(shown Options)")"
fill_options "$X" "$Y" "a flower"
choose_cell 0 0 || fail "no chooser after the options"
wait_until none_shown Open || fail "the chooser did not close"
echo "first-run notice: no key answers it"

# A stroke of the crayon across the middle of the canvas.
x=0
for id in 102 146 110 130; do x=$((x + $(size_of w "bitmap/$id"))); done
xdotool mousemove $((x + $(size_of w bitmap/108) / 2)) 50 click 1
xdotool mousemove 380 420 mousedown 1
for i in $(seq 0 20); do xdotool mousemove $((380 + i * 12)) $((420 + (i % 2) * 30)); done
xdotool mouseup 1

# ---- Every question, with the parental password --------------------------------------
clear_x=$(($(size_of w bitmap/102) + $(size_of w bitmap/146) / 2))
xdotool mousemove "$clear_x" 50 click 1
question_stays "clear"
cancel "clear"
# The colouring as it is now; the stored one is looked at when the program has ended.
import -window root "$work/coloured.png"
cp "$work/coloured.png" "$shots-coloured.png"
echo "clear: no key answers it"

names=(quit save print About options)
for i in 0 1 2 3 4; do
    xdotool mousemove "${bar_x[$i]}" "$bar_y" click 1
    question_stays "${names[$i]}"
    cancel "${names[$i]}"
    for window in 'Save current picture as\.\.\.' Print Options; do
        none_shown "$window" || fail "${names[$i]}: '$window' opened"
    done
    the_colouring_is_there "${names[$i]}"
    echo "${names[$i]}: no key answers it, the colouring is there"
done

xdotool mousemove 40 50 click 1
wait_until is_shown Open || fail "no chooser"
eval "$(geometry "$(shown Open)")"
xdotool mousemove $((X + 8 + $(size_of w bitmap/141) / 2)) \
    $((Y + 8 + 489 - 5 - $(size_of h bitmap/141) / 2)) click 1
question_stays "more pictures"
cancel "more pictures"
none_shown 'Manage pictures' || fail "more pictures: the manager opened"
choose_cell 0 0 || fail "the chooser did not come back"
wait_until none_shown Open || fail "the chooser did not close"
echo "more pictures: no key answers it"

# Quitting: with the password row shown, OK on the empty box puts the focus there (and
# the hint above it), and keypad Enter with the password confirms.
xdotool mousemove "${bar_x[0]}" "$bar_y" click 1
question_stays "quit with the password"
message_button ok
xdotool type tulip
xdotool key KP_Enter
wait_until gone || fail "keypad Enter in the password box did not confirm"
drawing=$(find "$prog/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)
stored="$prog/colored pictures/$(basename "$(dirname "$drawing")")/$(basename "$drawing").jpg"
[ -f "$stored" ] || fail "quitting did not store the colouring"
coloured_pixels=$(compare -metric AE -fuzz 15% "$drawing" "$stored" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1)
[ "$coloured_pixels" -gt 200 ] || fail "the stored picture holds no colouring ($coloured_pixels)"
echo "quit: keypad Enter in the shown password box confirms; the colouring was kept throughout"

! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
exit 0
