#!/usr/bin/env bash
# The child lock of the real program against the window manager's mouse, under openbox's
# default configuration, with a dock along the top of the screen and another program's
# window on the desktop:
#  - the main window is full-screen for the window manager and covers the dock;
#  - the wheel both ways, plain and with Alt, Ctrl+Alt and Alt+Shift; Alt with each
#    button, clicked and dragged; every button in the corners and on the edges: after each
#    one the program is still on top, on the same desktop, at 0,0 and screen-sized, and
#    the other window was never active and never got a button;
#  - the same with the quit question open, and with the save dialog open (its title bar
#    and the window manager's buttons on it do nothing, a list popped up and closed in it
#    leaves the lock holding, and its own Cancel button still works);
#  - a program that dies gives the pointer and the keyboard back.
# Usage: child_lock_gestures.sh <program folder> <desk_window> <resources> <shot prefix>
set -uo pipefail
program_dir=$1 desk=$2 resources=$3 shots=$4

needs="openbox xprop"
. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/lock_session.sh"

# settle WHAT: openbox has handled every input event sent before. It answers a change of
# the number of desktops in turn with the events queued ahead of that request.
settle() {
    local n
    for n in 5 4; do
        xdotool set_num_desktops $n
        wait_until root_is _NET_NUMBER_OF_DESKTOPS $n ||
            fail "$1: openbox did not answer ($n: $(root_value _NET_NUMBER_OF_DESKTOPS))"
    done
}
# The ids of the window manager's stacking order, bottom to top, in decimal as xdotool
# gives them.
stacking() {
    local id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//; s/,/ /g'); do
        printf '%d\n' "$id"
    done
}
position_in() { stacking | grep -n -x "$1" | cut -d: -f1; }
on_top() { [ "$(stacking | tail -n 1)" = "$1" ]; }
magenta_share() {
    convert "$1" -crop 1024x40+0+0 +repage -fill black +opaque '#FF00FF' -fill white \
        -opaque '#FF00FF' -format '%[fx:int(100*mean)]' info:
}

# The desktop: a dock along the top and another program's window.
"$desk" dock panel 2>"$work/panel.err" &
pids="$pids $!"
"$desk" window other "$work/other.log" 2>"$work/other.err" &
pids="$pids $!"
wait_until grep -q '^ready' "$work/other.log" || fail "the other window did not come up"
panel=$(timeout 10 xdotool search --sync --name '^panel$' | head -n 1)
other=$(timeout 10 xdotool search --sync --name '^other$' | head -n 1)
[ -n "$panel" ] && [ -n "$other" ] || fail "no dock or no other window"
names=0
# other_has_read: the other window has read every event sent to it before.
other_has_read() {
    names=$((names + 1))
    xdotool set_window --name "other $names" "$other"
    wait_until grep -q "^name other $names\$" "$work/other.log" ||
        fail "the other window does not answer"
}

# Without the lock, Alt+wheel over the other window switches desktops: the window manager
# is listening. It takes its bindings a moment after it announces itself: try a few times.
eval "$(geometry "$other")"
xdotool mousemove $((X + 150)) $((Y + 50))
i=0
until [ "$(root_value _NET_CURRENT_DESKTOP)" != 0 ]; do
    i=$((i + 1))
    [ $i -gt 10 ] && fail "Alt+wheel did not switch desktops without the lock"
    xdotool keydown alt click 5 keyup alt
    settle "Alt+wheel without the lock"
done
xdotool set_desktop 0
wait_until root_is _NET_CURRENT_DESKTOP 0 || fail "no way back to desktop 0"
import -window root "$shots-desktop.png"
[ "$(magenta_share "$shots-desktop.png")" -gt 90 ] || fail "the dock is not to be seen"

start_program "$program_dir"
# Searched again until found: a search fails when a window it meets goes away meanwhile.
wait_until eval 'main=$(xdotool search --onlyvisible --name "^The Crayvex\$" 2>/dev/null | head -n 1);
    [ -n "$main" ]' || fail "the main window did not come up"
choose_cell 0 0 || fail "the picture chooser did not open"
wait_until none_shown Open ||
    fail "the picture chooser did not close"
xdotool mousemove 512 700
wait_until full_screen "$main" ||
    fail "the main window is not full-screen for the window manager"
settle "the program started"
import -window root "$shots-locked.png"
[ "$(magenta_share "$shots-locked.png")" -lt 2 ] || fail "the dock is not covered"
other_has_read
other_lines=$(grep -c -v '^name' "$work/other.log")
on_top_of_all="$main"

# check WHAT: after a gesture, everything is as it was.
check() {
    settle "$1"
    kill -0 "$pid" 2>/dev/null || fail "$1: the program ended"
    [ "$(root_value _NET_CURRENT_DESKTOP)" = 0 ] || fail "$1: the desktop changed"
    [ "$(xprop -id "$main" _NET_WM_DESKTOP | sed 's/^[^=]*= *//')" = 0 ] ||
        fail "$1: the main window left its desktop"
    [ "$(geometry "$main")" = "X=0 Y=0 WIDTH=1024 HEIGHT=768" ] ||
        fail "$1: the main window is at $(geometry "$main")"
    on_top "$on_top_of_all" || fail "$1: the program is not on top"
    [ "$(position_in "$main")" -gt "$(position_in "$panel")" ] || fail "$1: the dock is above"
    [ "$(position_in "$main")" -gt "$(position_in "$other")" ] ||
        fail "$1: the other window is above"
    [ "$(root_value _NET_ACTIVE_WINDOW | sed 's/.*# *//' | xargs printf '%d')" != "$other" ] ||
        fail "$1: the other window is active"
    other_has_read
    [ "$(grep -c -v '^name' "$work/other.log")" = "$other_lines" ] ||
        fail "$1: the other window got $(tail -n 3 "$work/other.log")"
}
# gestures_at X Y WHAT: the wheel both ways, plain and with Alt, Ctrl+Alt and Alt+Shift;
# Alt with each button, clicked and dragged; each plain button.
gestures_at() {
    local x=$1 y=$2 mods b
    for mods in "" alt ctrl+alt alt+shift; do
        for b in 4 5; do
            xdotool mousemove "$x" "$y"
            [ -n "$mods" ] && xdotool keydown "$mods"
            xdotool click $b
            [ -n "$mods" ] && xdotool keyup "$mods"
            check "$3: wheel $b with '$mods' at $x,$y"
        done
    done
    for b in 1 2 3; do
        xdotool mousemove "$x" "$y" keydown alt click $b keyup alt
        check "$3: Alt+button $b at $x,$y"
        xdotool mousemove "$x" "$y" keydown alt mousedown $b mousemove $((x + 60)) $((y + 40)) \
            mouseup $b keyup alt
        check "$3: Alt+drag with button $b from $x,$y"
        xdotool mousemove "$x" "$y" click $b
        check "$3: button $b at $x,$y"
    done
}
# gestures_with WINDOW WHAT DX DY: with the program's window open on top of all, the
# gestures over the main window and over that window, DX and DY into it (which sets X, Y,
# WIDTH and HEIGHT to its place).
gestures_with() {
    on_top_of_all=$1
    WHAT=$2
    eval "$(geometry "$1")"
    gestures_at 60 420 "$WHAT"
    gestures_at $((X + $3)) $((Y + $4)) "$WHAT"
}
# corners_and_edges: (for $WHAT) each button and the wheel with and without Alt in the bottom
# corners and on the left, right and bottom edges; the wheel in the top right corner (a
# button there could pick a colour bubble) and the pointer pushed past the screen.
corners_and_edges() {
    local point b
    for point in "0 767" "1023 767" "0 420" "1023 420" "512 767"; do
        set -- $point
        for b in 1 2 3 4 5; do
            xdotool mousemove "$1" "$2" click $b
            check "$WHAT: button $b at $1,$2"
        done
        for b in 4 5; do
            xdotool mousemove "$1" "$2" keydown alt click $b keyup alt
            check "$WHAT: Alt+wheel $b at $1,$2"
        done
    done
    for b in 4 5; do
        xdotool mousemove 1023 0 click $b keydown alt click $b keyup alt
        check "$WHAT: wheel $b in the top right corner"
    done
    xdotool mousemove 3000 3000 click 3
    check "$WHAT: right button past the corner"
}

# ---- The main window alone ------------------------------------------------------------
WHAT=main
gestures_at 60 420 "$WHAT"
corners_and_edges
echo "main window: every gesture held back"

# ---- The quit question (the top left corner is the Quit button) ---------------------
xdotool mousemove 0 0 click 1
wait_until is_shown Message || fail "the top left corner asked nothing"
message=$(shown Message)
message_at=$(geometry "$message")
gestures_with "$message" "quit question" 40 30
corners_and_edges
[ "$(geometry "$message")" = "$message_at" ] || fail "the question moved to $(geometry "$message")"
import -window root "$shots-question.png"
# Its Cancel button still answers a click.
message_button cancel
wait_until none_shown Message || fail "Cancel did not close the question"
kill -0 "$pid" 2>/dev/null || fail "Cancel ended the program"
on_top_of_all=$main
check "the question answered"
echo "quit question: every gesture held back, Cancel answers"

# ---- The save dialog ----------------------------------------------------------------
x=$(($(size_of w design/pFunc0) + $(size_of w design/pFunc1) / 2))
xdotool mousemove $x $(($(size_of h design/pFunc1) / 2)) click 1
wait_until is_shown Message || fail "Save asked nothing"
message_button ok
# Searched again until found: a search fails when a window it meets goes away meanwhile
# (the question closing).
wait_until eval 'dialog=$(xdotool search --onlyvisible --name "^Save current picture as\.\.\.\$" \
    2>/dev/null | head -n 1); [ -n "$dialog" ]' || fail "no save dialog"
xprop -id "$dialog" WM_TRANSIENT_FOR | grep -q "# 0x" || fail "the save dialog has no owner"
[ "$(printf '%d' "$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed 's/.*# *//')")" = "$main" ] ||
    fail "the save dialog is not transient for the main window"
dialog_at=$(geometry "$dialog")
gestures_with "$dialog" "save dialog" 30 23
# Its title bar, and the window manager's buttons at its right end.
gestures_at $((X + WIDTH / 2)) $((Y - 8)) "$WHAT title bar"
for button in 10 26 42; do
    xdotool mousemove $((X + WIDTH - button)) $((Y - 8)) click 1
    check "$WHAT: the window manager's button $button pixels from the right"
done
corners_and_edges
[ "$(geometry "$dialog")" = "$dialog_at" ] || fail "the save dialog moved to $(geometry "$dialog")"
normal_state "$dialog" || fail "the save dialog was minimised"
# The list of file types pops up over the dialog and goes again: the lock holds after it.
shown_windows() { [ "$(xdotool search --onlyvisible --classname '^crayvex$' | wc -l)" "$@" ]; }
before=$(xdotool search --onlyvisible --classname '^crayvex$' | wc -l)
xdotool mousemove $((X + 200)) $((Y + HEIGHT - 27)) click 1
wait_until shown_windows -gt "$before" || fail "the file type list did not pop up"
xdotool key Escape
wait_until shown_windows = "$before" || fail "the file type list did not go"
xdotool mousemove 60 420 keydown alt click 5 click 5 keyup alt
check "$WHAT: Alt+wheel after the file type list"
import -window root "$shots-save-dialog.png"
# Minimised from outside (a task bar, another program), the dialog and the main window
# come straight back, the dialog still on top.
for w in "$dialog" "$main"; do
    xdotool windowminimize "$w"
    settle "minimise $w"
    wait_until normal_state "$dialog" || fail "the save dialog stays minimised"
    wait_until normal_state "$main" || fail "the main window stays minimised"
    wait_until on_top "$dialog" || fail "the save dialog is not on top again"
    other_has_read
    other_lines=$(grep -c -v '^name' "$work/other.log")
    check "$WHAT: minimised from outside"
done
full_screen "$main" || fail "the main window came back without full-screen"
# Its own Cancel button, at the bottom right, still answers a click.
xdotool mousemove $((X + WIDTH - 51)) $((Y + HEIGHT - 27)) click 1
wait_until none_shown 'Save current picture as\.\.\.' ||
    fail "Cancel did not close the save dialog"
on_top_of_all=$main
check "the save dialog cancelled"
echo "save dialog: every gesture held back, its own buttons answer"

# ---- A program that dies gives both back ----------------------------------------------
[ "$("$desk" grabs)" = "pointer=held keyboard=held" ] || fail "the lock does not hold both"
kill -9 "$pid"
wait "$pid" 2>/dev/null
[ "$("$desk" grabs)" = "pointer=free keyboard=free" ] ||
    fail "the dead program left $("$desk" grabs)"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "a dead program leaves the pointer and the keyboard free"
exit 0
