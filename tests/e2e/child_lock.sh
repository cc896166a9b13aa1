#!/bin/sh
# The child lock in a real X session with openbox: while a window holds the lock,
# Alt+Tab and the Super key do not reach the window manager or another program, and
# letters still reach the line edit. Usage: child_lock.sh PROBE
set -u
lock_probe=$1
. "$(dirname "$0")/x_session.sh"

# With the lock.
start_probe --lock locked
locked=$(window_of locked)
grep -q '^ready hook=0$' "$work/locked.log" && fail "no hook was installed"
[ "$(active)" = "$locked" ] || fail "the locked window is not active"
keys_before=$(keys_elsewhere)

xdotool key alt+Tab
sleep 0.5
[ "$(active)" = "$locked" ] || fail "Alt+Tab switched away from the locked window"
xdotool key super
xdotool key super+d
xdotool key alt+F4
sleep 0.5
[ "$(active)" = "$locked" ] || fail "the Super key or Alt+F4 left the locked window"
kill -0 "$(echo $pids | awk '{print $NF}')" 2>/dev/null || fail "the locked window was closed"
[ "$(keys_elsewhere)" = "$keys_before" ] || fail "keys reached another window"
grep -q '^hook vk=09 flags=2. swallowed' "$work/locked.log" || fail "the Tab of Alt+Tab was not swallowed"
grep -q '^hook vk=5b flags=01 swallowed' "$work/locked.log" || fail "the Super key was not swallowed"

# Typing still works, capitals too (the left Shift key is passed). The d of Super+D came
# through as a plain letter: only the Super key itself is held back.
xdotool type --delay 20 'abcXYZ'
wait_for "$work/locked.log" '^text=dabcXYZ$' || fail "typed letters did not arrive"
[ "$(keys_elsewhere)" = "$keys_before" ] || fail "typed keys reached another window"
echo "child lock: Alt+Tab, Super and Alt+F4 held back, typing works"
exit 0
