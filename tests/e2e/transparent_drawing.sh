#!/usr/bin/env bash
# The real program in a real X server with a drawing whose transparent colour is stored as
# black: the canvas must show white paper, take the crayon's colour in one area, and keep
# the lines black. Crazy colours are switched on by a double click first, so the strokes
# show bright colours only when the double click switched them on once.
# Usage: transparent_drawing.sh <program folder> <helper> <resources build dir> <shot>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/display.sh"
program_dir=$1 helper=$2 resources=$3 shot=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$program_dir"/. "$work/"
rm -rf "$work/colored pictures" "$work/Settings.ini"
# An adult's first start is done: sounds off, no password, medium bubbles.
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$work/Settings.ini"
# A book that sorts before the built-in one, so that its drawing is the one opened.
mkdir -p "$work/books/A Transparent Book"
"$helper" write "$work/books/A Transparent Book/frame.gif"
w=600 h=360

screen_w=1024 screen_h=768 top_bar=100
# The crazy-colours button is the fourth of the action buttons along the top bar.
width_of() { identify -format "%w" "$(find "$resources" -path "*/bitmap/$1.png" | head -n 1)"; }
crazy_x=$(($(width_of 102) + $(width_of 146) + $(width_of 110) + $(width_of 130) / 2))
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))

run() {
    export QT_QPA_PLATFORM=xcb
    cd "$work"
    ./crayvex 2>"$work/crayvex.err" &
    pid=$!
    choose_cell 0 0
    xdotool mousemove "$crazy_x" $((top_bar / 2)) click --repeat 2 --delay 80 1
    sleep 0.5
    # Crayon strokes in the right area, from (110, 10) across to (190, 110) of the drawing.
    for row in 0 1 2 3 4 5; do
        y=$((top + (15 + row * 18) * 3))
        xdotool mousemove $((left + 110 * 3)) "$y" mousedown 1
        for i in 1 2 3 4 5 6; do
            xdotool mousemove $((left + (110 + i * 13) * 3)) "$y"
            sleep 0.03
        done
        xdotool mouseup 1
        sleep 0.1
    done
    xdotool mousemove 5 $((screen_h - 5))
    # The strokes are painted once the screen shows them.
    shows_strokes() {
        import -window root "$shot" && "$helper" check "$shot" "$left" "$top" >/dev/null 2>&1
    }
    wait_until shows_strokes || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
export work left top screen_h shot crazy_x top_bar helper
with_display "${screen_w}x${screen_h}x24" bash -c "wait_limit=$wait_limit; $(declare -f run choose_cell $wait_functions); run"
cat "$work/crayvex.err" >&2
! sanitizer_report "$work/crayvex.err" || { echo "the program reported a fault"; exit 1; }
"$helper" check "$shot" "$left" "$top"
