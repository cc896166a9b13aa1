# Sourced by the real-window tests, after wait.sh. start_openbox: starts openbox as the
# display's window manager (its output in $work/openbox.err, its process added to $pids)
# and waits until it has taken over the screen.
start_openbox() {
    openbox --sm-disable >"$work/openbox.err" 2>&1 &
    pids="$pids $!"
    wait_until openbox_running || fail "openbox did not start"
}
openbox_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
