#!/bin/sh
# The child lock in a real X session with openbox: while a window holds the lock,
# Alt+Tab and the Super key do not reach the window manager or another program, the
# Menu key opens no context menu in the line edit, and letters still reach it. With
# DESK_WINDOW: the lock holds the pointer with the keyboard, and removing it gives both
# back. Usage: child_lock.sh PROBE [DESK_WINDOW]
set -u
lock_probe=$1
desk=${2:-}
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

# The Menu key in the line edit: held back, no context menu; the next letter still
# arrives in the line edit (an open menu would have taken it).
xdotool key Menu
xdotool type e
wait_for "$work/locked.log" '^text=dabcXYZe$' || fail "a letter after the Menu key did not arrive"
grep -q '^hook vk=5d flags=.. swallowed' "$work/locked.log" || fail "the Menu key was not swallowed"
grep -q '^popup' "$work/locked.log" && fail "the Menu key opened a context menu"

# Removing the lock gives the pointer back with the keyboard.
if [ -n "$desk" ]; then
    [ "$("$desk" grabs)" = "pointer=held keyboard=held" ] || fail "the lock does not hold both"
    xdotool type --delay 20 'unlock'
    wait_for "$work/locked.log" '^unhooked$' || fail "the lock was not removed"
    [ "$("$desk" grabs)" = "pointer=free keyboard=free" ] ||
        fail "the removed lock left $("$desk" grabs)"
fi
echo "child lock: Alt+Tab, Super, Alt+F4 and Menu held back, typing works"
exit 0
