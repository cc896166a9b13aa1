# Sourced by the real-window tests that run the whole program, after they have set shots
# (the prefix of their screenshots): a work folder in $work, removed at the end after the
# programs in $pids have been killed and the file system mounted at $mounted, if any,
# unmounted; and fail, which keeps a screenshot as $shots-failure.png, shows the programs'
# error output and logs, and ends the test.
. "$(dirname "$0")/wait.sh"
work=$(mktemp -d)
pids="" mounted=""
cleanup() {
    for p in $pids; do ! own_child "$p" || { kill -9 "$p" && wait "$p"; } 2>/dev/null || true; done
    [ -z "$mounted" ] || umount "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "$shots-failure.png" 2>/dev/null
    cat "$work"/*.err "$work"/*.log 2>/dev/null
    exit 1
}
