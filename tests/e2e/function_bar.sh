#!/usr/bin/env bash
# The adults' function bar of the real program in a real X session with openbox:
#  - colour, Quit: a wrong password shows the hint, the right one ends the program, and
#    the stored JPEG holds the colouring;
#  - colour, closed by the window manager; colour, ended by SIGTERM: each time the
#    colouring is stored and the program has gone within two seconds;
#  - save a copy to a chosen path, and print two copies to a PDF file.
# Usage: function_bar.sh <program folder> <canvas_areas> <wm_close> <resources> <shot prefix>
set -uo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
program_dir=$1 areas=$2 wm_close=$3 resources=$4 shots=$5

needs="openbox pdfinfo"
. "$(dirname "$0")/xvfb.sh"

work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do { kill -9 "$p" && wait "$p"; } 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "$shots-failure.png" 2>/dev/null
    cat "$work"/*.err 2>/dev/null
    exit 1
}

. "$(dirname "$0")/window_manager.sh"
start_openbox

prog=$work/program
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
# Sounds off, quitting needs permission, no auto-hide, the password on, medium bubbles.
password='Tulip 7'
printf ' 0 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n%s\r\na flower\r\n' "$password" >"$prog/Settings.ini"
# The print dialog proposes a PDF file in the home folder.
export HOME=$work

drawing=$(find "$prog/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)
[ -n "$drawing" ] || fail "no drawing in the program folder"
book=$(basename "$(dirname "$drawing")")
stored="$prog/colored pictures/$book/$(basename "$drawing").jpg"
read -r w h < <(identify -format '%w %h\n' "$drawing" | head -n 1)
read -r ax ay ar < <(QT_QPA_PLATFORM=offscreen "$areas" points "$drawing" | head -n 1)
d=$((ar / 2))
width_of() { identify -format "%w" "$(find "$resources" -path "*/$1.png" | head -n 1)"; }
height_of() { identify -format "%h" "$(find "$resources" -path "*/$1.png" | head -n 1)"; }
x=0
for id in 102 146 110 130; do x=$((x + $(width_of "bitmap/$id"))); done
crayon_x=$((x + $(width_of bitmap/108) / 2))
left=$((1024 / 2 - w / 2))
top=$((100 + (768 - 100) / 2 - h / 2))
# The function bar from the left: quit, save, print, About, options.
bar_y=$(($(height_of design/pFunc0) / 2))
bar_x=()
x=0
for i in 0 1 2 3 4; do
    fw=$(width_of "design/pFunc$i")
    bar_x+=($((x + fw / 2)))
    x=$((x + fw))
done

pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# dark FILE: the stored colouring is dark at the area's point, where the drawing is white.
colouring_in() {
    [ -f "$1" ] || return 1
    read -r r g b < <(pixel "$1" "$ax" "$ay")
    [ $((r + g + b)) -lt 200 ]
}
# window_of NAME: a shown window of that name, standing still (windows come and go
# meanwhile).
window_of() {
    local found
    found=$(steady_window "$1") && echo "$found"
}
active_now() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
start() {
    (cd "$prog" && exec ./crayvex) 2>>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
    main=$(window_of 'The Crayvex')
    [ -n "$main" ] || fail "the main window did not come up"
    choose_cell 0 0 || fail "the picture chooser did not open"
}
colour() {
    xdotool mousemove "$crayon_x" 50 click 1
    sleep 0.3
    xdotool mousemove $((left + ax - d)) $((top + ay)) mousedown 1
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((left + ax - d + 2 * d * i / 8)) $((top + ay))
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.3
}
# gone: the program has ended.
gone() { wait_until ended "$pid"; }
# click_in WINDOW X Y: a click at a point of the window.
click_in() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# The confirmation's OK button: 4440, 1800 twips.
confirm_ok() { click_in "$1" $((4440 / 15 + $(width_of bitmap/115) / 2)) $((1800 / 15 + $(height_of bitmap/115) / 2)); }
# grown WINDOW GEOMETRY: the window's place or size is no longer the one given.
grown() { [ "$(xdotool getwindowgeometry "$1")" != "$2" ]; }
# unfold MESSAGE: OK on the folded confirmation, once its password row shows.
unfold() {
    local folded
    folded=$(xdotool getwindowgeometry "$1")
    confirm_ok "$1"
    wait_until grown "$1" "$folded" && wait_until placed "$1"
}

# ---- Quit with the password ----------------------------------------------------------
start
colour
xdotool mousemove "${bar_x[0]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Quit asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 'tulip'
xdotool key Return
sleep 0.5
import -window root "$shots-quit-password.png"
kill -0 "$pid" 2>/dev/null || fail "a wrong password ended the program"
[ -f "$stored" ] && fail "stored before the confirmation was answered"
xdotool key ctrl+a BackSpace
for i in 1 2 3 4 5; do xdotool key BackSpace; done
xdotool type --delay 30 "$password"
xdotool key Return
gone || fail "the right password did not end the program"
colouring_in "$stored" || fail "Quit did not store the colouring"
echo "quit: the hint after a wrong password, the colouring stored"

# ---- Closed by the window manager, and by SIGTERM ------------------------------------
for how in wm sigterm; do
    rm -f "$stored"
    start
    colour
    if [ $how = wm ]; then
        "$wm_close" "$main" || fail "could not ask the window manager"
    else
        kill -TERM "$pid"
    fi
    gone || fail "$how: the program did not end"
    colouring_in "$stored" || fail "$how: the colouring was not stored"
    echo "$how: the colouring stored, the program gone"
done

# ---- Save a copy, print two copies -------------------------------------------------------
start
colour
# A plain name in the folder the dialog opens on: typing a path makes the dialog's completer
# pop up, and under load it swallows keystrokes.
copy="$prog/savedcopy"
xdotool mousemove "${bar_x[1]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Save asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 "$password"
xdotool key Return
dialog=$(window_of 'Save current picture as...')
[ -n "$dialog" ] || fail "no save dialog"
wait_until active_now "$dialog" || fail "the save dialog did not take the keyboard"
xdotool type --delay 40 "$(basename "$copy")"
sleep 0.3
import -window root "$shots-save-dialog.png"
xdotool key Return
wait_until colouring_in "$copy.jpg" || fail "the copy was not written, or does not hold the colouring"
echo "save: '$copy.jpg' written"

xdotool mousemove "${bar_x[2]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Print asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 "$password"
xdotool key Return
dialog=$(window_of Print)
[ -n "$dialog" ] || fail "no print dialog"
wait_until active_now "$dialog" || fail "the print dialog did not take the keyboard"
import -window root "$shots-print-dialog.png"
# The dialog's own place on the fixed screen: Options >>, then two copies into the PDF
# file it proposes, once the dialog has grown to show the options.
folded=$(xdotool getwindowgeometry "$dialog")
xdotool mousemove 393 412 click 1
{ wait_until grown "$dialog" "$folded" && wait_until placed "$dialog"; } ||
    fail "the print dialog did not show its options"
xdotool mousemove 700 476 click 1
xdotool key End BackSpace BackSpace 2
sleep 0.3
import -window root "$shots-print-dialog.png"
pdf=$prog/print.pdf
xdotool mousemove 634 601 click 1
wait_until eval '[ -s "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1' || fail "nothing was printed to '$pdf'"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "two copies printed $pages pages"
pdftoppm -r 40 -png "$pdf" "$work/page"
for page in "$work"/page-*.png; do
    [ "$(convert "$page" -fuzz 10% -trim -format '%w' info:)" -gt 200 ] || fail "no picture on $page"
done
echo "print: two copies on two pages of '$pdf'"
kill -TERM "$pid"
gone || fail "the program did not end"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
exit 0
