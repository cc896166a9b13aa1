# Sourced by the real-window tests of the child lock: what the X server and the window
# manager say about windows, and a wait for a condition.

# until_true SECONDS COMMAND...: runs the command again and again until it succeeds.
until_true() {
    local limit=$(($1 * 10)) i=0
    shift
    until "$@" 2>/dev/null; do
        i=$((i + 1))
        [ $i -gt $limit ] && return 1
        sleep 0.1
    done
}
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
