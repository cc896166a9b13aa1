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

# start_program PROGRAM_FOLDER [FOLDER]: a copy of the program in FOLDER ($work/program by
# default), as an adult's first start leaves it: sounds off, no password. Started with its
# error output in $work/crayvex.err; sets prog and pid, and adds pid to pids.
start_program() {
    prog=${2:-$work/program}
    mkdir -p "$prog"
    cp -r "$1"/. "$prog/"
    rm -rf "$prog/colored pictures"
    printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
    export HOME=$work
    (cd "$prog" && exec ./crayvex) 2>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
}
