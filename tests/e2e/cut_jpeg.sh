#!/usr/bin/env bash
# The real program in a real X server over a book holding JPEG files cut short, as an
# interrupted download leaves them: the chooser leaves the cut drawing out, and a drawing
# whose stored colouring is cut opens as the drawing itself, white paper where the cut
# file would show flat grey.
# Usage: cut_jpeg.sh <program folder> <chooser shot> <canvas shot>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
. "$(dirname "$0")/display.sh"
program_dir=$1 chooser_shot=$2 canvas_shot=$3
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
# A book that sorts before the built-in one: a.bmp, a box; b.jpg, a yellow page cut short;
# c.bmp, a black ball. a.bmp's stored colouring is a colourful page cut short.
book="$work/books/A Cut Book"
coloured="$work/colored pictures/A Cut Book"
mkdir -p "$book" "$coloured"
w=300 h=200
convert -size ${w}x$h xc:white -fill none -stroke black -strokewidth 4 \
    -draw 'rectangle 20,20 280,180' -type TrueColor "BMP3:$book/a.bmp"
convert -size ${w}x$h xc:white -fill black -draw 'circle 150,100 150,20' -type TrueColor \
    "BMP3:$book/c.bmp"
# first_third SOURCE TARGET: the file's first third.
first_third() { head -c $(($(stat -c %s "$1") / 3)) "$1" >"$2"; }
convert -size ${w}x$h -seed 1 plasma:yellow-gold -quality 90 "$work/b.jpg"
first_third "$work/b.jpg" "$book/b.jpg"
convert -size ${w}x$h -seed 2 plasma:red-blue -quality 90 "$work/colouring.jpg"
first_third "$work/colouring.jpg" "$coloured/a.bmp.jpg"
# Other readers show the cut colouring, its lower part flat grey.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# (ImageMagick warns of the cut and ends with a failure status.)
below=$(pixel "$coloured/a.bmp.jpg" 150 170 2>/dev/null || true)
[ "$below" = "128 128 128" ] || fail "the cut colouring is not grey below: $below"

screen_w=1024 screen_h=768 top_bar=100
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))

run() {
    export QT_QPA_PLATFORM=xcb
    cd "$work"
    ./crayvex 2>"$work/crayvex.err" &
    pid=$!
    win=$(steady_window Open) || { echo "the picture chooser did not open"; return 1; }
    import -window root "$chooser_shot"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    echo "$X $Y" >"$work/chooser.at"
    choose_cell 0 0
    # The drawing shows once the canvas stands where the drawing is centred.
    shows_drawing() {
        import -window root "$canvas_shot" &&
            [ "$(convert "$canvas_shot" -format '%[fx:int(255*p{'$((left + 20))','$((top + 100))'}.r)]' info:)" -lt 60 ]
    }
    wait_until shows_drawing || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
export work left top chooser_shot canvas_shot
with_display "${screen_w}x${screen_h}x24" bash -c "wait_limit=$wait_limit; $(declare -f run choose_cell $wait_functions); run"
cat "$work/crayvex.err" >&2
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"

# The chooser: the box, then the ball in the second cell, and no third cell; no thumbnail
# is made of a cut file.
read -r X Y <"$work/chooser.at"
cell() { pixel "$chooser_shot" $((X + 14 + 50 + 105 * $1)) $((Y + 9 + $2)); }
[ "$(cell 0 50)" = "255 255 255" ] || fail "the first cell is not the box's paper: $(cell 0 50)"
[ "$(cell 1 50)" = "0 0 0" ] || fail "the second cell is not the ball: $(cell 1 50)"
[ "$(cell 2 50)" = "255 255 255" ] || fail "a third cell shows: $(cell 2 50)"
[ ! -e "$book/b.jpg.qrv" ] || fail "the cut drawing has a thumbnail"
[ ! -e "$coloured/a.bmp.jpg.qrv" ] || fail "the cut colouring has a thumbnail"
# The canvas: the box's line, and white paper above and below where the cut colouring
# would show its colours and its grey.
[ "$(pixel "$canvas_shot" $((left + 20)) $((top + 100)))" = "0 0 0" ] || fail "no line where the box's is"
for y in 40 100 170; do
    [ "$(pixel "$canvas_shot" $((left + 150)) $((top + y)))" = "255 255 255" ] ||
        fail "the canvas is not the drawing's paper at row $y: $(pixel "$canvas_shot" $((left + 150)) $((top + y)))"
done
echo "PASS"
