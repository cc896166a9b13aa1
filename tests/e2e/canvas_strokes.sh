#!/usr/bin/env bash
# The real program in a real X server: strokes of each tool in two areas of the first
# drawing, then a screenshot that must show paint in both areas and none on the lines.
# Usage: canvas_strokes.sh <program folder> <canvas_areas helper> <resources build dir> <shot>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/display.sh"
program_dir=$1 areas=$2 resources=$3 shot=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$program_dir"/. "$work/"
rm -rf "$work/colored pictures" "$work/Settings.ini"
# An adult's first start is done: sounds off, no password, medium bubbles.
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$work/Settings.ini"

drawing=$(find "$work/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)
[ -n "$drawing" ] || { echo "no drawing in the program folder"; exit 1; }
read -r w h < <(identify -format '%w %h\n' "$drawing" | head -n 1)
mapfile -t points < <("$areas" points "$drawing")
read -r ax ay ar <<<"${points[0]}"
read -r bx by br <<<"${points[1]}"
# Every stroke begins inside the square round its point, so it paints that area only.
d=$(( (ar < br ? ar : br) - 2 ))
[ "$d" -ge 8 ] || { echo "the drawing has no two roomy areas"; exit 1; }

# The layout: a top bar of 100 pixels holding the four action buttons and then the three
# tool buttons; the canvas centred in the panel below it.
width_of() { identify -format "%w" "$(find "$resources" -path "*/bitmap/$1.png" | head -n 1)"; }
top_bar=100
x=0
for id in 102 146 110 130; do x=$((x + $(width_of $id))); done
tool_x=()
for id in 108 105 119; do
    tw=$(width_of $id)
    tool_x+=($((x + tw / 2)))
    x=$((x + tw))
done
screen_w=1024 screen_h=768
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))

run() {
    export QT_QPA_PLATFORM=xcb
    cd "$work"
    ./crayvex 2>"$work/crayvex.err" &
    pid=$!
    choose_cell 0 0
    drag() { # tool, then start and end in drawing pixels
        xdotool mousemove "${tool_x[$1]}" $((top_bar / 2)) click 1
        sleep 0.3
        xdotool mousemove $((left + $2)) $((top + $3)) mousedown 1
        for i in 1 2 3 4 5 6 7 8; do
            xdotool mousemove $((left + $2 + ($4 - $2) * i / 8)) $((top + $3 + ($5 - $3) * i / 8))
            sleep 0.03
        done
        xdotool mouseup 1
        sleep 0.2
    }
    for p in "$ax $ay" "$bx $by"; do
        read -r px py <<<"$p"
        drag 0 $((px - d)) $((py - d)) $((px + d)) $((py - d / 2))
        drag 1 $((px - d)) $((py)) $((px + d)) $((py + d / 3))
        drag 2 $((px - d)) $((py + d)) $((px + d)) $((py + d / 2))
    done
    xdotool mousemove 5 $((screen_h - 5))
    # The strokes are painted once the screen shows them.
    shows_strokes() {
        import -window root "$shot" &&
            "$areas" check "$drawing" "$shot" "$left" "$top" "$ax" "$ay" "$bx" "$by" >/dev/null 2>&1
    }
    wait_until shows_strokes || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
export -f run 2>/dev/null || true
export work left top top_bar screen_h ax ay bx by d shot areas drawing
export tool_x0=${tool_x[0]} tool_x1=${tool_x[1]} tool_x2=${tool_x[2]}
with_display "${screen_w}x${screen_h}x24" bash -c "wait_limit=$wait_limit; $(declare -f run choose_cell $wait_functions); tool_x=($tool_x0 $tool_x1 $tool_x2); run"
cat "$work/crayvex.err" >&2
! sanitizer_report "$work/crayvex.err" || { echo "the program reported a fault"; exit 1; }
"$areas" check "$drawing" "$shot" "$left" "$top" "$ax" "$ay" "$bx" "$by"
