#!/bin/sh
# The child lock in a real X session with openbox: while a window holds the lock,
# Alt+Tab and the Super key do not reach the window manager or another program, and
# letters still reach the line edit. Usage: child_lock.sh PROBE
set -u
probe=$1

if [ "${2:-}" != --inside ]; then
    if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v Xvfb >/dev/null 2>&1; then
        echo "SKIP: Xvfb is not installed"
        exit 77
    fi
    # Start the display search at a number of our own, so that parallel tests don't race.
    exec xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24" sh "$0" "$probe" --inside
fi

export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
    exit 1
}
# wait_for FILE PATTERN: up to 10 s for a line in the file.
wait_for() {
    i=0
    while ! grep -q "$2" "$1" 2>/dev/null; do
        i=$((i + 1))
        [ $i -gt 100 ] && return 1
        sleep 0.1
    done
}
window_of() { timeout 10 xdotool search --sync --name "^$1\$" | head -n 1; }
active() { xdotool getactivewindow 2>/dev/null; }
# start_probe MODE TITLE: starts a probe and waits until its window has the focus.
start_probe() {
    "$probe" "$1" "$2" "$work/$2.log" 2>"$work/$2.err" &
    pids="$pids $!"
    wait_for "$work/$2.log" '^ready' || fail "$2 did not come up"
}

openbox --sm-disable >"$work/openbox.err" 2>&1 &
pids="$pids $!"
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    i=$((i + 1))
    [ $i -gt 100 ] && fail "openbox did not start"
    sleep 0.1
done

# Without the lock, Alt+Tab switches windows: the window manager is listening.
start_probe --free free
free=$(window_of free)
start_probe --free other
other=$(window_of other)
[ "$(active)" = "$other" ] || fail "the newest window is not active"
# Openbox takes its key bindings a moment after it announces itself: try a few times.
i=0
until [ "$(active)" = "$free" ]; do
    i=$((i + 1))
    [ $i -gt 10 ] && fail "openbox did not switch windows on Alt+Tab without the lock"
    xdotool key alt+Tab
    sleep 0.3
done

# With the lock.
start_probe --lock locked
locked=$(window_of locked)
grep -q '^ready hook=0$' "$work/locked.log" && fail "no hook was installed"
[ "$(active)" = "$locked" ] || fail "the locked window is not active"
keys_before=$(grep -c '^key' "$work/free.log")

xdotool key alt+Tab
sleep 0.5
[ "$(active)" = "$locked" ] || fail "Alt+Tab switched away from the locked window"
xdotool key super
xdotool key super+d
xdotool key alt+F4
sleep 0.5
[ "$(active)" = "$locked" ] || fail "the Super key or Alt+F4 left the locked window"
kill -0 "$(echo $pids | awk '{print $NF}')" 2>/dev/null || fail "the locked window was closed"
[ "$(grep -c '^key' "$work/free.log")" = "$keys_before" ] || fail "keys reached another window"
grep -q '^hook vk=09 flags=2. swallowed' "$work/locked.log" || fail "the Tab of Alt+Tab was not swallowed"
grep -q '^hook vk=5b flags=01 swallowed' "$work/locked.log" || fail "the Super key was not swallowed"

# Typing still works, capitals too (the left Shift key is passed). The d of Super+D came
# through as a plain letter: only the Super key itself is held back.
xdotool type --delay 20 'abcXYZ'
wait_for "$work/locked.log" '^text=dabcXYZ$' || fail "typed letters did not arrive"
[ "$(grep -c '^key' "$work/free.log")" = "$keys_before" ] || fail "typed keys reached another window"
echo "child lock: Alt+Tab, Super and Alt+F4 held back, typing works"
exit 0
