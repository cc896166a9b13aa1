#!/usr/bin/env bash
# The real program on a fresh program folder, as a family meets it: the first-run notice,
# the options window (a password and its hint), the loading window and the chooser; a
# drawing chosen and coloured, the chooser again showing the coloured cell, another drawing
# chosen and the first one's colouring stored; ended from outside and started again, the
# settings hold and the colouring comes back.
# Usage: first_start.sh <program folder> <screenshot folder>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
program_dir=$1 shots=$2

. "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
pid=""
# A program still running is ended and waited for: it stores its colouring as it ends,
# and the folder must not be removed under it.
trap '[ -n "$pid" ] && own_child "$pid" && { kill "$pid"; wait "$pid"; } 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$program_dir"/. "$work/"
rm -rf "$work/colored pictures" "$work/Settings.ini"
fail() { echo "FAIL: $*"; cat "$work/crayvex.log" 2>/dev/null; exit 1; }
start() { (cd "$work" && exec ./crayvex >"$work/crayvex.log" 2>&1) & pid=$!; }
# window_named NAME: a shown window of that name, standing still; prints its geometry.
window_named() {
    local w
    w=$(steady_window "$1") && xdotool getwindowgeometry --shell "$w"
}
# differing A B [GEOMETRY]: how many pixels of the two pictures (or of that area of
# both) differ by more than a JPEG's noise.
differing() {
    compare -metric AE -fuzz 15% ${3:+-extract "$3"} "$1" ${3:+-extract "$3"} "$2" null: 2>&1 |
        cut -d' ' -f1 | cut -d. -f1
}

start
eval "$(window_named Message)" || fail "no first-run notice"
import -window root "$shots/first-start-notice.png"
xdotool mousemove $((X + WIDTH - 40)) $((Y + HEIGHT - 15)) click 1
eval "$(window_named Options)" || fail "no options window"
fill_options "$X" "$Y" "the flower by the door" "$shots/first-start-options.png"
choose_cell 0 0 || fail "no chooser after the options"
import -window root "$shots/first-start-drawing.png"
grep -q "tulip" "$work/Settings.ini" || fail "the password was not written"

# Crazy colours on, then a scribble across the middle of the canvas with the crayon.
xdotool mousemove 280 50 click 1
sleep 0.3
xdotool mousemove 380 420 mousedown 1
for i in $(seq 0 20); do xdotool mousemove $((380 + i * 12)) $((420 + (i % 2) * 30)); sleep 0.02; done
xdotool mouseup 1
sleep 0.5
import -window root "$shots/first-start-coloured.png"
first=$(ls "$work/books/The Crayvex" | grep -vi '\.qrv$' | LC_ALL=C sort -f | head -n 1)

xdotool mousemove 40 50 click 1 # open another picture
choose_cell 1 0 || fail "the chooser did not open again"
stored="$work/colored pictures/The Crayvex/$first.jpg"
[ -f "$stored" ] || fail "no stored colouring at $stored"
cp "$stored" "$shots/first-start-stored.jpg"
convert "$work/books/The Crayvex/$first" "$work/drawing.png"
[ "$(differing "$stored" "$work/drawing.png")" -ge 300 ] || fail "the stored colouring holds no colour"
xdotool mousemove 40 50 click 1
eval "$(window_named Open)" || fail "no chooser"
import -window root "$shots/first-start-chooser.png"
convert "$shots/first-start-chooser.png" -crop "100x100+$((X + 14))+$((Y + 9))" +repage "$work/cell.png"
convert "$work/books/The Crayvex/$first.qrv" "$work/plain-cell.png" 2>/dev/null ||
    convert "$work/drawing.png" -resize 100x100 -background white -gravity center -extent 100x100 "$work/plain-cell.png"
[ "$(differing "$work/cell.png" "$work/plain-cell.png")" -ge 20 ] ||
    fail "the first cell does not show the colouring"
xdotool key Escape 2>/dev/null || true

kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=""
! sanitizer_report "$work/crayvex.log" || fail "the program reported a fault"
start
choose_cell 0 0 || fail "no chooser on the second start"
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 && fail "the settings did not hold"
colouring_back() {
    import -window root "$shots/first-start-again.png" &&
        [ "$(differing "$shots/first-start-again.png" "$shots/first-start-drawing.png")" -ge 300 ]
}
wait_until colouring_back || fail "the colouring did not come back"
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=""
! sanitizer_report "$work/crayvex.log" || fail "the program reported a fault"
echo "first start, choosing, colouring and storing all worked"
