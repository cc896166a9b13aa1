#!/usr/bin/env bash
# The real program in a real X server with a drawing as parents add them: an anti-aliased
# yellow circle on white paper, and a grey box with a black outline. Strokes begun inside
# the circle (crayon) and inside the grey box (paintbrush) run out across their lines
# onto the paper; the screenshot must show paint in both, none on the paper outside, and
# the middles of both lines as the file draws them.
# Usage: parent_drawings.sh <program folder> <resources build dir> <shot>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/display.sh"
program_dir=$1 resources=$2 shot=$3
fail() {
    echo "FAIL: $*"
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$program_dir"/. "$work/"
rm -rf "$work/colored pictures" "$work/Settings.ini" "$work/books/own pictures"
# An adult's first start is done: sounds off, no password, medium bubbles.
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$work/Settings.ini"
# A book that sorts before the built-in one, so that its drawing is the one opened.
book="$work/books/A Parent's Book"
mkdir -p "$book"
w=400 h=300
convert -size ${w}x$h xc:white \
    -fill none -stroke '#f2d21a' -strokewidth 3 -draw 'circle 110,150 190,150' \
    -fill '#a0a0a0' -stroke black -strokewidth 3 -draw 'rectangle 230,60 370,240' \
    -type TrueColor "BMP3:$book/page.bmp"

# Masks of the drawing's parts, white where they hold: inside the circle, inside the box,
# the paper beyond both lines and their seams, and the middles of the two lines.
mask() { convert -size ${w}x$h xc:"$1" +antialias "${@:3}" "$work/$2.png"; }
mask black circle -fill white -draw 'circle 110,150 110,76'
mask black box -fill white -draw 'rectangle 235,65 365,235'
mask white paper -fill black -draw 'circle 110,150 110,66' -draw 'rectangle 226,56 374,244'
mask black lines -fill none -stroke white -strokewidth 1 -draw 'circle 110,150 190,150' \
    -draw 'rectangle 230,60 370,240'

screen_w=1024 screen_h=768 top_bar=100
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))
# The paintbrush is the second tool button, after the four action buttons and the crayon.
width_of() { identify -format "%w" "$(find "$resources" -path "*/bitmap/$1.png" | head -n 1)"; }
brush_x=$(($(width_of 102) + $(width_of 146) + $(width_of 110) + $(width_of 130) +
    $(width_of 108) + $(width_of 105) / 2))

# changed_in MASK: how many pixels of the canvas in the screenshot differ from the drawing
# where the mask is white.
changed_in() {
    convert "$shot" -crop ${w}x$h+$left+$top +repage "$book/page.bmp" -compose difference \
        -composite -colorspace gray -threshold 0 "$work/$1.png" -compose multiply -composite \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

run() {
    export QT_QPA_PLATFORM=xcb
    cd "$work"
    ./crayvex 2>"$work/crayvex.err" &
    pid=$!
    choose_cell 0 0
    # drag X Y X Y ...: a stroke through the points of the drawing, in steps of eight.
    drag() {
        xdotool mousemove $((left + $1)) $((top + $2)) mousedown 1
        local x=$1 y=$2
        shift 2
        while [ $# -ge 2 ]; do
            for i in 1 2 3 4 5 6 7 8; do
                xdotool mousemove $((left + x + ($1 - x) * i / 8)) $((top + y + ($2 - y) * i / 8))
            done
            x=$1 y=$2
            shift 2
        done
        xdotool mouseup 1
    }
    # The crayon, the tool a drawing opens with: from the circle's middle out across its
    # line in four directions.
    drag 110 150 205 150 110 150 110 55 110 150 15 150 110 150 110 245
    # The paintbrush: from the middle of the grey box out across its lines.
    xdotool mousemove "$brush_x" $((top_bar / 2)) click 1
    drag 300 150 300 285 300 150 390 150 300 150 300 20 300 150 250 150
    xdotool mousemove 5 $((screen_h - 5))
    # The strokes are painted once the screen shows paint in the circle and in the box.
    shows_strokes() {
        import -window root "$shot" && [ "$(changed_in circle)" -gt 1000 ] &&
            [ "$(changed_in box)" -gt 1000 ]
    }
    wait_until shows_strokes || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
export work book left top w h screen_h top_bar shot brush_x
with_display "${screen_w}x${screen_h}x24" bash -c "wait_limit=$wait_limit; $(declare -f run choose_cell changed_in $wait_functions); run"
cat "$work/crayvex.err" >&2
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"

circle=$(changed_in circle) box=$(changed_in box) paper=$(changed_in paper) lines=$(changed_in lines)
echo "painted: $circle px in the circle, $box px in the grey box; changed: $paper px of the paper, $lines px of the lines' middles"
[ "$circle" -gt 1000 ] || fail "the crayon painted $circle px inside the yellow circle"
[ "$box" -gt 1000 ] || fail "the paintbrush painted $box px inside the grey box"
[ "$paper" -eq 0 ] || fail "$paper px of the paper beyond the lines were painted"
[ "$lines" -eq 0 ] || fail "$lines px of the lines' middles were painted"
echo "PASS"
