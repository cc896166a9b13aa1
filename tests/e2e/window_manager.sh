# Sourced by the real-window tests. start_openbox: starts openbox as the display's window
# manager (its output in $work/openbox.err, its process added to $pids) and waits up to
# 10 s until it has taken over the screen.
start_openbox() {
    openbox --sm-disable >"$work/openbox.err" 2>&1 &
    pids="$pids $!"
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        i=$((i + 1))
        [ $i -gt 100 ] && fail "openbox did not start"
        sleep 0.1
    done
}
