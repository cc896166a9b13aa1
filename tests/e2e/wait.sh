# Sourced by the real-window tests: waiting for what should happen (a window shown or
# gone, a line logged, a file written, a process ended), never for a fixed time that a
# busy machine can miss. The limit only keeps a faulty test from hanging: far beyond what
# the sanitizer build needs with every core busy.
wait_limit=120

# wait_until COMMAND...: runs the command ten times a second until it succeeds; fails
# after the limit.
wait_until() {
    wait_start=$(date +%s)
    until "$@"; do
        [ $(($(date +%s) - wait_start)) -ge "$wait_limit" ] && return 1
        sleep 0.1
    done
    return 0
}

# shown_window NAME: the newest shown window of exactly that name, once there is one.
# steady_window NAME: the same once it stands still where it is (windows of that name
# that come and go meanwhile are passed over).
shown_window() { wait_until shown_now "$1" && echo "$shown_id"; }
steady_window() { wait_until steady_now "$1" && echo "$shown_id"; }
shown_now() {
    shown_id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1)
    [ -n "$shown_id" ]
}
steady_now() { shown_now "$1" && managed "$shown_id" && placed "$shown_id"; }

# managed ID: where a window manager runs, it has taken the window in (a click that comes
# before that can miss it); without one, every shown window counts.
managed() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || return 0
    xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'Normal'
}

# still_shown ID: the window is still mapped; closed ID: it is not.
still_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
closed() { ! still_shown "$1"; }

# placed ID: the window stands still where it is: two readings of its place agree.
placed() {
    placed_a=$(xdotool getwindowgeometry "$1" 2>/dev/null) || return 1
    sleep 0.1
    [ "$placed_a" = "$(xdotool getwindowgeometry "$1" 2>/dev/null)" ]
}

# ended PID: the process has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }

# The functions above, for scripts that declare them into a shell of their own.
wait_functions="wait_until shown_window steady_window shown_now steady_now managed still_shown closed placed ended"

# own_child PID: the process is still a child of this test (running, or ended and not yet
# waited for). A test ends only its own: the number of a program it waited for long ago may
# by now belong to another test's program or X server.
own_child() { [ "$(ps -o ppid= -p "$1" 2>/dev/null | tr -d ' ')" = "$$" ]; }
