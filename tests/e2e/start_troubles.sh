#!/usr/bin/env bash
# The start of the real program when something outside blocks it:
#  settings-pipe  Settings.ini is a named pipe that nobody writes: the start does not wait
#                 for it; the settings-file notice comes, then the options window, filled
#                 in and saved, puts a regular file in its place, and the chooser opens;
#  blocked-start  the sound output is a named pipe that nobody reads (SDL's disk driver),
#                 so the first sound of the start blocks the program in the pipe's open
#                 before any picture is open: SIGTERM ends it all the same.
# Usage: start_troubles.sh <case> <program folder> <shot prefix>
set -uo pipefail
trouble=$1 program_dir=$2 shots=$3-$1

. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/work_folder.sh"

prog=$work/program
mkdir "$prog"
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
export HOME=$work
start() {
    (cd "$prog" && exec ./crayvex) 2>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
}

case $trouble in
settings-pipe)
    mkfifo "$prog/Settings.ini"
    start
    message=$(steady_window Message) || fail "no notice about the settings file"
    import -window root "$shots-notice.png"
    # The notice is the parent's message window, closed with its Continue link at the
    # bottom right.
    eval "$(xdotool getwindowgeometry --shell "$message")"
    xdotool mousemove $((X + WIDTH - 40)) $((Y + HEIGHT - 15)) click 1
    options=$(steady_window Options) || fail "no options window after the notice"
    eval "$(xdotool getwindowgeometry --shell "$options")"
    fill_options "$X" "$Y" "the flower by the door" "$shots-options.png"
    steady_window Open >/dev/null || fail "the chooser did not open after the options"
    import -window root "$shots-chooser.png"
    [ -f "$prog/Settings.ini" ] && [ ! -p "$prog/Settings.ini" ] ||
        fail "the named pipe was not replaced by a settings file"
    kill -TERM "$pid"
    wait_until ended "$pid" || fail "SIGTERM did not end the program"
    ;;
blocked-start)
    # Sounds on, no password.
    printf ' 1 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
    mkfifo "$work/sound"
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/sound
    start
    # The program's main thread waits in the open of the pipe for a reader.
    blocked() { [ "$(cat "/proc/$pid/wchan" 2>/dev/null)" = wait_for_partner ]; }
    wait_until blocked || fail "the program did not block on the sound output" \
        "($(cat "/proc/$pid/wchan" 2>/dev/null))"
    import -window root "$shots-blocked.png"
    kill -TERM "$pid"
    wait_until ended "$pid" || fail "SIGTERM did not end the blocked program"
    wait "$pid"
    status=$?
    [ "$status" = 0 ] || fail "the blocked program ended with $status"
    [ -z "$(ls "$prog/colored pictures" 2>/dev/null)" ] || fail "something was stored"
    ;;
*) fail "no such case: $trouble" ;;
esac
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "$trouble: the start was not held up"
exit 0
