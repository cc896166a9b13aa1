#!/bin/sh
# The child lock of the real main window with the password confirmation over it, in a
# real X session with openbox: Alt+Tab, Super and Alt+F4 leave neither the confirmation
# nor the program, the password box gets the typed letters, Backspace and Enter, and
# the right password closes the confirmation with "Ok". After that the main window
# still holds the lock.
# Usage: child_lock_password.sh LOCK_PROBE PASSWORD_PROBE [SCREENSHOT]
set -u
lock_probe=$1
password_probe=$2
screenshot=${3:-}
. "$(dirname "$0")/x_session.sh"

password='Tulip 7'
log=$work/password.log
"$password_probe" "$log" "$password" 'a flower' 2>"$work/password.err" &
pids="$pids $!"
wait_for "$log" '^ready$' || fail "the password confirmation did not come up"
main=$(window_of 'The Crayvex')
dialog=$(window_of Message)
[ -n "$main" ] || fail "no main window"
wait_active "$dialog" || fail "the password confirmation is not active"
keys_before=$(keys_elsewhere)

xdotool key alt+Tab
xdotool key super
xdotool key alt+F4
sleep 0.5
[ "$(active)" = "$dialog" ] || fail "Alt+Tab, Super or Alt+F4 left the password confirmation"
grep -q '^result=' "$log" && fail "the confirmation was closed"
[ "$(keys_elsewhere)" = "$keys_before" ] || fail "keys reached another window"

# A wrong password (the case counts) keeps the confirmation open with the hint.
xdotool type --delay 20 'tulip'
wait_for "$log" '^text=tulip$' || fail "typed letters did not arrive in the password box"
xdotool key Return
wait_for "$log" "^enter label2=.*Your password hint is: 'a flower'\\.\$" ||
    fail "Enter with a wrong password did not show the hint"
grep -q '^result=' "$log" && fail "a wrong password closed the confirmation"
xdotool key BackSpace BackSpace BackSpace BackSpace BackSpace
wait_for "$log" '^text=$' || fail "Backspace did not clear the password box"

# The right one, capital and blank included.
xdotool type --delay 20 "$password"
wait_for "$log" "^text=$password\$" || fail "the password did not arrive in the password box"
[ "$(grep '^text=' "$log" | tail -n 1)" = "text=$password" ] || fail "the password box holds more"
[ "$(keys_elsewhere)" = "$keys_before" ] || fail "typed keys reached another window"
if [ -n "$screenshot" ] && command -v import >/dev/null 2>&1; then
    import -window root "$screenshot" || fail "no screenshot"
fi
xdotool key Return
wait_for "$log" '^result=Ok$' || fail "Enter with the right password did not close with Ok"

# The main window holds the lock again.
wait_active "$main" || fail "the main window is not active after the confirmation"
xdotool key alt+Tab
xdotool key super
sleep 0.5
[ "$(active)" = "$main" ] || fail "Alt+Tab or Super left the main window after the confirmation"
[ "$(keys_elsewhere)" = "$keys_before" ] || fail "keys reached another window"
echo "child lock with the password confirmation: shortcuts held back, password accepted"
exit 0
