# Sourced by the real-window tests: X servers of their own.
# The server picks a free display number itself and tells it once it is ready. A number
# chosen before the start (as xvfb-run -a does) can be chosen by two tests starting at once,
# and both servers then run under it: one test's programs reach the other's server, or no
# server once that test has ended.
# The server does not reset when its last client leaves, as a desktop's does not while its
# session runs: a reset closes every connection, a program's that is just being made too
# (a window manager starting while a test asks whether one runs, a program started again).

# start_server SCREEN DIR: an Xvfb server with that screen ("1024x768x24") in the
# background, its process in display_server, its cookie in DIR/xauthority and, once it has
# told it, its number in display_number. False, with what the server said, when it did not
# start.
start_server() {
    # The server takes the cookie from its file whatever display the entry names; the
    # clients find it under the number the server tells.
    display_cookie=$(mcookie)
    : >"$2/xauthority"
    XAUTHORITY=$2/xauthority xauth -q add :0 . "$display_cookie" || return 1
    rm -f "$2/number"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset -auth "$2/xauthority" \
        3>"$2/number" 2>>"$2/xvfb.err" &
    display_server=$!
    # Either the server tells its number or it ends.
    while [ ! -s "$2/number" ] && kill -0 "$display_server" 2>/dev/null; do
        sleep 0.1
    done
    display_number=$(head -n 1 "$2/number")
    if [ -n "$display_number" ] && kill -0 "$display_server" 2>/dev/null &&
        XAUTHORITY=$2/xauthority xauth -q add ":$display_number" . "$display_cookie"; then
        return 0
    fi
    echo "Xvfb did not start:" >&2
    cat "$2/xvfb.err" >&2
    return 1
}

# with_display SCREEN COMMAND...: runs the command on a server of its own with that screen,
# DISPLAY and XAUTHORITY set for it, then ends the server; returns the command's status.
with_display() {
    display_screen=$1
    shift
    display_dir=$(mktemp -d) || return 1
    display_status=0 display_server=""
    if start_server "$display_screen" "$display_dir"; then
        DISPLAY=:$display_number XAUTHORITY=$display_dir/xauthority "$@" &
        display_client=$!
        # A test ended from outside ends its programs and its server with it.
        trap 'kill "$display_client" "$display_server" 2>/dev/null' HUP INT TERM
        wait "$display_client" || display_status=$?
        trap - HUP INT TERM
        # A failure on a server that has ended is the server's: tell what it said.
        if [ $display_status != 0 ] && ! kill -0 "$display_server" 2>/dev/null; then
            echo "the X server of display :$display_number had ended:" >&2
            cat "$display_dir/xvfb.err" >&2
        fi
    else
        display_status=1
    fi
    if [ -n "$display_server" ]; then
        kill "$display_server" 2>/dev/null || true
        wait "$display_server" 2>/dev/null || true
    fi
    rm -rf "$display_dir"
    return $display_status
}
