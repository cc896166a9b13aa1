# Sourced by the real-window tests. with_display SCREEN COMMAND...: runs the command on an
# Xvfb server of its own with that screen ("1024x768x24"), DISPLAY and XAUTHORITY set for
# it, then ends the server; returns the command's status.
# The server picks a free display number itself and tells it once it is ready. A number
# chosen before the start (as xvfb-run -a does) can be chosen by two tests starting at once,
# and both servers then run under it: one test's programs reach the other's server, or no
# server once that test has ended.
# The server does not reset when its last client leaves, as a desktop's does not while its
# session runs: a reset closes every connection, a program's that is just being made too
# (a window manager starting while a test asks whether one runs, a program started again).
with_display() {
    display_screen=$1
    shift
    display_dir=$(mktemp -d) || return 1
    display_status=0
    # The server takes the cookie from its file whatever display the entry names; the
    # clients find it under the number the server tells.
    display_cookie=$(mcookie)
    : >"$display_dir/xauthority"
    XAUTHORITY=$display_dir/xauthority xauth -q add :0 . "$display_cookie" || display_status=1
    if [ $display_status = 0 ]; then
        Xvfb -displayfd 3 -screen 0 "$display_screen" -nolisten tcp -noreset \
            -auth "$display_dir/xauthority" 3>"$display_dir/number" 2>"$display_dir/xvfb.err" &
        display_server=$!
        # Either the server tells its number or it ends.
        while [ ! -s "$display_dir/number" ] && kill -0 "$display_server" 2>/dev/null; do
            sleep 0.1
        done
        display_number=$(head -n 1 "$display_dir/number")
        if [ -n "$display_number" ] && kill -0 "$display_server" 2>/dev/null &&
            XAUTHORITY=$display_dir/xauthority xauth -q add ":$display_number" . "$display_cookie"; then
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
            echo "Xvfb did not start:" >&2
            cat "$display_dir/xvfb.err" >&2
            display_status=1
        fi
        kill "$display_server" 2>/dev/null || true
        wait "$display_server" 2>/dev/null || true
    fi
    rm -rf "$display_dir"
    return $display_status
}
