#!/usr/bin/env bash
# The X server ends while a child colours, as a session started with startx ends: the
# program ends with it, having kept the colouring, and on the next start the drawing opens
# with its colouring.
# Usage: display_lost.sh <program folder> <canvas_areas> <resources> <shot prefix>
set -uo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
program_dir=$1 areas=$2 resources=$3 shots=$4
for tool in Xvfb xauth mcookie xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

. "$(dirname "$0")/work_folder.sh"
prog=$work/program
# A display of the test's own, started and ended by the test itself.
export QT_QPA_PLATFORM=xcb
. "$(dirname "$0")/display.sh"
start_x() {
    start_server 1024x768x24 "$work" || fail "Xvfb did not start"
    xpid=$display_server
    pids="$pids $xpid"
    export DISPLAY=:$display_number XAUTHORITY=$work/xauthority
    wait_until eval 'xdotool getdisplaygeometry >/dev/null 2>&1' || fail "Xvfb did not answer"
}

mkdir "$prog"
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
. "$(dirname "$0")/colouring.sh"

start_x
run_program
choose_cell 0 0 || fail "no drawing chosen"
colour
import -window root "$shots-coloured.png"
[ ! -e "$stored" ] || fail "stored before the end"
kill -TERM "$xpid"
wait "$xpid" 2>/dev/null
gone || fail "the program did not end with the X server"
wait "$pid" 2>/dev/null
grep -q "X11 connection broke" "$work/crayvex.err" || fail "the program did not see the X server end"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
colouring_in "$stored" || fail "the colouring was not kept"

start_x
run_program
choose_cell 0 0 || fail "no drawing chosen after the new start"
wait_until shows_coloured "$shots-again.png" || fail "the colouring did not come back"
end_program
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "the colouring was kept when the X server ended"
