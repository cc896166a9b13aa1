# The real X session of the child-lock tests, sourced by their scripts: the script runs
# again inside a fresh Xvfb display with openbox as its window manager, and gets a work
# folder and the helpers below. Set lock_probe to the lock probe program before sourcing.

. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/wait.sh"
work=$(mktemp -d)
pids=""
# Stops the session's programs and waits until they have ended. A report of the sanitizer
# build in a program's error output fails the test.
cleanup() {
    status=$?
    for p in $pids; do ! own_child "$p" || kill "$p" 2>/dev/null; done
    for p in $pids; do wait "$p" 2>/dev/null; done
    if sanitizer_report "$work"/*.err; then
        for f in "$work"/*.err; do echo "--- $f"; cat "$f"; done
        status=1
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
    exit 1
}
# wait_for FILE PATTERN: a line in the file.
wait_for() { wait_until grep -q "$2" "$1" 2>/dev/null; }
window_of() { timeout "$wait_limit" xdotool search --sync --name "^$1\$" | head -n 1; }
active() { xdotool getactivewindow 2>/dev/null; }
is_active() { [ "$(active)" = "$1" ]; }
# wait_active WINDOW: the window has become the active one.
wait_active() { wait_until is_active "$1"; }
# start_probe MODE TITLE: starts a lock probe and waits until its window has the focus.
start_probe() {
    "$lock_probe" "$1" "$2" "$work/$2.log" 2>"$work/$2.err" &
    pids="$pids $!"
    wait_for "$work/$2.log" '^ready' || fail "$2 did not come up"
}
# keys_elsewhere: how many key presses reached the unlocked windows.
keys_elsewhere() { cat "$work/free.log" "$work/other.log" | grep -c '^key'; }

. "$(dirname "$0")/window_manager.sh"
start_openbox

# Two unlocked windows, free and other. Without the lock, Alt+Tab switches between them:
# the window manager is listening.
start_probe --free free
free=$(window_of free)
start_probe --free other
other=$(window_of other)
[ "$(active)" = "$other" ] || fail "the newest window is not active"
# Openbox takes its key bindings a moment after it announces itself: try a few times.
i=0
until [ "$(active)" = "$free" ]; do
    i=$((i + 1))
    [ $((i * 3 / 10)) -gt "$wait_limit" ] && fail "openbox did not switch windows on Alt+Tab without the lock"
    xdotool key alt+Tab
    sleep 0.3
done
