# Sourced by the real-window tests, after wait.sh. start_openbox: starts openbox as the
# display's window manager (its output in $work/openbox.err, its process added to $pids)
# and waits until it has taken over the screen and answers requests. openbox names itself
# the window manager before it handles requests, and a window mapped in between may stay
# unmanaged and unmapped; a change of the number of desktops, asked again until it shows,
# tells that openbox's event loop runs.
start_openbox() {
    openbox --sm-disable >"$work/openbox.err" 2>&1 &
    pids="$pids $!"
    wait_until openbox_running || fail "openbox did not start"
    local n
    n=$(desktop_count)
    wait_until eval 'xdotool set_num_desktops $((n + 1)); [ "$(desktop_count)" = $((n + 1)) ]' ||
        fail "openbox did not answer"
    wait_until eval 'xdotool set_num_desktops $n; [ "$(desktop_count)" = "$n" ]' ||
        fail "openbox did not answer"
}
openbox_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
        [ -n "$(desktop_count)" ]
}
desktop_count() { xprop -root _NET_NUMBER_OF_DESKTOPS 2>/dev/null | sed -n 's/^.*= *//p'; }
