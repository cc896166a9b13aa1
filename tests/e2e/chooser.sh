#!/bin/sh
# The picture chooser over a copy of the built-in book in a real X server: it comes up,
# a click on the second cell chooses that drawing, and the thumbnails are left on disk.
# Arguments: the probe program, the program folder, the screenshot to write.
set -eu
probe=$1
program=$2
shot=$3
. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/wait.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/books"
cp -r "$program/books/The Crayvex" "$work/books/"
"$probe" "$work" >"$work/out.log" 2>"$work/err.log" &
pid=$!
wait_until grep -q '^ready' "$work/out.log" ||
    { echo "FAIL: the chooser did not come up"; cat "$work/err.log"; exit 1; }
window=$(steady_window Open) || { echo "FAIL: no chooser window"; exit 1; }
import -window root "$shot"
# The window is centred: its content frame starts 8 pixels in, and the second cell of
# the first row lies at (111, 1) on the sheet. A click the chooser has not answered
# within five seconds is given again while its window is there: on a busy machine the
# first may come before the window takes clicks.
clicks=0
until ended $pid || ! still_shown "$window"; do
    clicks=$((clicks + 1))
    [ $((clicks * 5)) -gt "$wait_limit" ] && { echo "FAIL: the click chose nothing"; kill $pid; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 8 + 111 + 50)) $((Y + 8 + 1 + 50)) click 1
    i=0
    while ! ended $pid && [ $i -lt 50 ]; do
        i=$((i + 1))
        sleep 0.1
    done
done
wait_until ended $pid || { echo "FAIL: the chooser did not close"; kill $pid; exit 1; }
wait $pid
grep -q "^chosen $work/books/The Crayvex/Car.gif\$" "$work/out.log" ||
    { echo "FAIL: wrong choice"; cat "$work/out.log"; exit 1; }
[ -f "$work/books/The Crayvex/Car.gif.qrv" ] || { echo "FAIL: no thumbnail"; exit 1; }
echo "PASS"
