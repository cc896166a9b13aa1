# Sourced by the real-window tests of the child lock, after xvfb.sh and with $shots (the
# screenshot prefix) and $resources (the build's resources) set: openbox as the window
# manager, a work folder, removed at the end with every program in $pids ended; fail;
# and what the X server and the window manager say about windows.
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/window_manager.sh"
. "$(dirname "$0")/work_folder.sh"

# shown NAME: the id of a shown window of exactly that name, if any.
shown() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
is_shown() { [ -n "$(shown "$1")" ]; }
none_shown() { [ -z "$(shown "$1")" ]; }
# geometry WINDOW: "X=.. Y=.. WIDTH=.. HEIGHT=..", the place of its inside on the screen
# (xdotool's own count is off by the frame of a window that has one).
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {printf "X=%d Y=%d WIDTH=%d HEIGHT=%d", x, y, w, h}'
}
root_value() { xprop -root "$1" | sed 's/^[^=]*= *//'; }
root_is() { [ "$(root_value "$1")" = "$2" ]; }
full_screen() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
normal_state() { xprop -id "$1" WM_STATE | grep -q 'state: Normal'; }

# size_of w|h PICTURE: a size of one of the build's pictures ("bitmap/115", "design/pFunc0").
size_of() { identify -format "%$1" "$(find "$resources" -path "*/$2.png" | head -n 1)"; }
# message_button ok|cancel|toggle: a click on that button of the shown child's message
# window (OK at the right edge, Cancel left of it, the toggle at the bottom left).
message_button() {
    eval "$(geometry "$(shown Message)")"
    case $1 in
    ok) xdotool mousemove $((X + WIDTH - 7 - $(size_of w bitmap/115) / 2)) \
        $((Y + 120 + $(size_of h bitmap/115) / 2)) click 1 ;;
    cancel) xdotool mousemove $((X + WIDTH - 14 - $(size_of w bitmap/115) - $(size_of w bitmap/114) / 2)) \
        $((Y + 117 + $(size_of h bitmap/114) / 2)) click 1 ;;
    toggle) xdotool mousemove $((X + 8 + $(size_of w bitmap/127) / 2)) \
        $((Y + 132 + $(size_of h bitmap/127) / 2)) click 1 ;;
    esac
}

start_openbox
