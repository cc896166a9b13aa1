#!/bin/sh
# The picture chooser over a copy of the built-in book in a real X server: it comes up,
# a click on the second cell chooses that drawing, and the thumbnails are left on disk.
# Arguments: the probe program, the program folder, the screenshot to write.
set -eu
probe=$1
program=$2
shot=$3
. "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/books"
cp -r "$program/books/The Crayvex" "$work/books/"
"$probe" "$work" >"$work/out.log" 2>"$work/err.log" &
pid=$!
i=0
until grep -q '^ready' "$work/out.log" 2>/dev/null; do
    i=$((i + 1))
    [ $i -gt 600 ] && { echo "FAIL: the chooser did not come up"; cat "$work/err.log"; exit 1; }
    sleep 0.1
done
window=$(timeout 10 xdotool search --sync --name '^Open$' | head -n 1)
sleep 0.5
import -window root "$shot"
# The window is centred: its content frame starts 8 pixels in, and the second cell of
# the first row lies at (111, 1) on the sheet.
# Under load the window may still be placed when the first click comes: the geometry is
# read again and the click repeated until the chooser has answered.
tries=0
while kill -0 $pid 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -gt 10 ] && { echo "FAIL: the click chose nothing"; kill $pid; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 8 + 111 + 50)) $((Y + 8 + 1 + 50)) click 1
    j=0
    while kill -0 $pid 2>/dev/null && [ $j -lt 30 ]; do
        j=$((j + 1))
        sleep 0.1
    done
done
wait $pid
grep -q "^chosen $work/books/The Crayvex/Car.gif\$" "$work/out.log" ||
    { echo "FAIL: wrong choice"; cat "$work/out.log"; exit 1; }
[ -f "$work/books/The Crayvex/Car.gif.qrv" ] || { echo "FAIL: no thumbnail"; exit 1; }
echo "PASS"
