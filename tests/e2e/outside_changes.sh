#!/usr/bin/env bash
# The child lock of the real program, under openbox, against what other programs of a
# desktop ask of the window manager (a pager, a panel's "show desktop", a script, here
# wmctrl): the main window sent to another desktop, the user switching desktops, the
# desktop shown, full-screen removed, the window moved and resized, above removed, below
# added. Each change is made while the program is stopped, so that it surely happens, and
# seen made; once the program runs again, it is back: on the current desktop, shown,
# full-screen and above and not below, at the screen's origin and screen-sized, with both
# grabs held. The same for the changes made in a burst while it runs, with the quit
# question open (the question comes along and stays in front, its Cancel answers), with
# the options window open, and after the options were saved (the main window is laid out
# again off the screen and comes back). Quitting ends the program.
# Usage: outside_changes.sh <program folder> <desk_window> <resources> <shot prefix>
set -uo pipefail
program_dir=$1 desk=$2 resources=$3 shots=$4

needs="openbox xprop wmctrl"
. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/lock_session.sh"
. "$(dirname "$0")/choose.sh"

start_program "$program_dir"
main=$(steady_window 'The Crayvex') || fail "the main window did not come up"
choose_cell 0 0 || fail "the picture chooser did not open"
wait_until none_shown Open || fail "the picture chooser did not close"

hex() { printf '0x%x' "$1"; }
desktop_of() { xprop -id "$1" _NET_WM_DESKTOP | sed 's/^[^=]*= *//'; }
state() { xprop -id "$main" _NET_WM_STATE; }
has_state() { state | grep -q "_NET_WM_STATE_$1"; }
grabs_held() { [ "$("$desk" grabs)" = "pointer=held keyboard=held" ]; }
stacking_top() { printf '%d' "$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*[ ,] *//')"; }
# back: the main window as the program showed it.
back() {
    root_is _NET_SHOWING_DESKTOP 0 && [ "$(desktop_of "$main")" = "$(root_value _NET_CURRENT_DESKTOP)" ] &&
        still_shown "$main" && has_state FULLSCREEN && has_state ABOVE && ! has_state BELOW &&
        [ "$(geometry "$main")" = "X=0 Y=0 WIDTH=1024 HEIGHT=768" ] && grabs_held
}
seen() {
    echo "desktop $(root_value _NET_CURRENT_DESKTOP), showing the desktop" \
        "$(root_value _NET_SHOWING_DESKTOP); the main window on desktop $(desktop_of "$main")," \
        "$(still_shown "$main" && echo shown || echo not shown), $(state | sed 's/^[^=]*= *//')," \
        "$(geometry "$main"), $("$desk" grabs)"
}
# mended WHAT START: back once the program runs, in how long from START (ns).
mended() {
    wait_until back || fail "$1: not back: $(seen)"
    echo "$1: back in $((($(date +%s%N) - $2) / 1000000)) ms"
}
# undone WHAT MADE COMMAND...: with the program stopped, the command, until MADE shows
# that the window manager has made the change; then the program runs again and mends it.
undone() {
    local what=$1 made=$2 start
    shift 2
    kill -STOP "$pid"
    "$@"
    wait_until eval "$made" || { kill -CONT "$pid"; fail "$what: the change was not made: $(seen)"; }
    start=$(date +%s%N)
    kill -CONT "$pid"
    mended "$what" "$start"
}
to_main() { wmctrl -i -r "$(hex "$main")" "$@"; }

back || fail "the program started: $(seen)"
import -window root "$shots-locked.png"

# ---- Each change, made while the program is stopped ----------------------------------
undone "sent to desktop 2" '[ "$(desktop_of "$main")" = 2 ]' to_main -t 2
undone "the user switched to desktop 2" 'root_is _NET_CURRENT_DESKTOP 2' wmctrl -s 2
undone "sent to desktop 1 from desktop 2" '[ "$(desktop_of "$main")" = 1 ]' to_main -t 1
undone "the user switched back to desktop 0" 'root_is _NET_CURRENT_DESKTOP 0' wmctrl -s 0
undone "the desktop shown" 'root_is _NET_SHOWING_DESKTOP 1 && closed "$main"' wmctrl -k on
import -window root "$shots-after-show-desktop.png"
undone "full-screen removed" '! has_state FULLSCREEN' to_main -b remove,fullscreen
undone "full-screen removed, moved and resized" \
    '[ "$(geometry "$main")" = "X=100 Y=100 WIDTH=500 HEIGHT=400" ]' \
    eval 'to_main -b remove,fullscreen && to_main -e 0,100,100,500,400'
import -window root "$shots-after-move.png"
undone "above removed" '! has_state ABOVE' to_main -b remove,above
undone "below added" 'has_state BELOW' to_main -b add,below
[ "$(stacking_top)" = "$main" ] || fail "the main window is not on top of the stacking"

# ---- The same in a burst, while the program runs ---------------------------------------
start=$(date +%s%N)
wmctrl -s 3
to_main -t 1
wmctrl -k on
to_main -b remove,fullscreen
to_main -e 0,100,100,500,400
to_main -b remove,above
to_main -b add,below
mended "all in a burst while running" "$start"
[ "$(root_value _NET_CURRENT_DESKTOP)" = 3 ] || fail "the user's desktop changed"

# ---- With the quit question open (the top left corner is the Quit button) -------------
xdotool mousemove 0 0 click 1
wait_until is_shown Message || fail "the top left corner asked nothing"
message=$(shown Message)
question_back() {
    back && still_shown "$message" && [ "$(desktop_of "$message")" = "$(desktop_of "$main")" ] &&
        [ "$(stacking_top)" = "$message" ]
}
for change in "wmctrl -s 1" "to_main -t 2" "wmctrl -k on" "wmctrl -i -r $(hex "$message") -t 0"; do
    kill -STOP "$pid"
    $change
    # Made once the window manager has answered a request sent after it.
    settle_to=$(($(desktop_count) == 4 ? 5 : 4))
    xdotool set_num_desktops $settle_to
    wait_until root_is _NET_NUMBER_OF_DESKTOPS $settle_to || fail "openbox did not answer"
    start=$(date +%s%N)
    kill -CONT "$pid"
    wait_until question_back || fail "the question, after $change: $(seen)"
    echo "the question open, $change: back in $((($(date +%s%N) - start) / 1000000)) ms"
done
xdotool set_num_desktops 4
wait_until root_is _NET_NUMBER_OF_DESKTOPS 4 || fail "openbox did not answer"
import -window root "$shots-question.png"
message_button cancel
wait_until none_shown Message || fail "Cancel did not close the question"
wait_until back || fail "the question answered: $(seen)"

# ---- With the options window open, and after its settings were saved -------------------
options_x=$((4 * $(size_of w design/pFunc0) + $(size_of w design/pFunc4) / 2))
xdotool mousemove "$options_x" $(($(size_of h design/pFunc0) / 2)) click 1
wait_until is_shown Message || fail "the options button asked nothing"
message_button ok
options=$(steady_window Options) || fail "no options window"
start=$(date +%s%N)
wmctrl -s 2
wmctrl -k on
options_back() {
    back && still_shown "$options" && [ "$(desktop_of "$options")" = "$(desktop_of "$main")" ] &&
        [ "$(stacking_top)" = "$options" ]
}
wait_until options_back || fail "the options window open: $(seen)"
echo "the options window open, another desktop and the desktop shown: back in" \
    "$((($(date +%s%N) - start) / 1000000)) ms"
import -window root "$shots-options.png"
eval "$(xdotool getwindowgeometry --shell "$options")"
xdotool mousemove $((X + 4080 / 15 + 20)) $((Y + 6000 / 15 + 8)) click 1 # Continue
wait_until closed "$options" || fail "Continue did not close the options window"
wait_until back || fail "the options saved: $(seen)"
undone "after the options, sent to desktop 0" '[ "$(desktop_of "$main")" = 0 ]' to_main -t 0
undone "after the options, moved and resized" \
    '[ "$(geometry "$main")" = "X=100 Y=100 WIDTH=500 HEIGHT=400" ]' \
    eval 'to_main -b remove,fullscreen && to_main -e 0,100,100,500,400'
import -window root "$shots-after-options.png"

# ---- Quitting ends the program --------------------------------------------------------
xdotool mousemove 0 0 click 1
wait_until is_shown Message || fail "Quit asked nothing"
message_button ok
wait_until ended "$pid" || fail "the program did not end"
wait "$pid"
[ "$("$desk" grabs)" = "pointer=free keyboard=free" ] || fail "the program left $("$desk" grabs)"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "outside changes: each one mended"
exit 0
