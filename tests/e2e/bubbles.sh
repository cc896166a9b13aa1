#!/usr/bin/env bash
# The real program in a real X server: the colour bubbles rise inside their palette, a
# clicked bubble's colour paints the next stroke, the rainbow bubble's picker gives a
# shade that the stroke after it uses, and with auto-hide on the function bar hides,
# comes back after about a second of rest in its corner and hides again.
# Usage: bubbles.sh <program folder> <bubbles_probe> <canvas_areas> <resources build dir>
#                   <folder for the screenshots>
set -euo pipefail
program_dir=$1 probe=$2 areas=$3 resources=$4 shots=$5

if [ -z "${CRAYVEX_IN_XVFB:-}" ]; then
    command -v xvfb-run >/dev/null 2>&1 || { echo "SKIP: Xvfb is not installed"; exit 77; }
    export CRAYVEX_IN_XVFB=1
    exec xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
mkdir -p "$shots" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
cp -r "$program_dir"/. "$work/"
rm -rf "$work/colored pictures" "$work/Settings.ini"
# Sounds off, no password, medium bubbles; the third line switches auto-hide.
settings() { printf ' 0 \r\n 0 \r\n %s \r\n 0 \r\n 4 \r\n\r\n\r\n' "$1" >"$work/Settings.ini"; }

picture() { find "$resources" -path "*/$1/$2.png" | head -n 1; }
width_of() { identify -format "%w" "$(picture "$1" "$2")"; }
height_of() { identify -format "%h" "$(picture "$1" "$2")"; }

# The layout: the bubble palette fills the 100-pixel top bar right of the four action
# and the three tool buttons; the canvas is centred below it; the function bar is a row
# of five buttons from the top-left corner.
screen_w=1024 screen_h=768 top_bar=100
pc_left=0
for id in 102 146 110 130 108 105 119; do pc_left=$((pc_left + $(width_of bitmap $id))); done
bar_w=0
for i in 0 1 2 3 4; do bar_w=$((bar_w + $(width_of design pFunc$i))); done
bar_h=$(height_of design pFunc0)

drawing=$(find "$work/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)
read -r w h < <(identify -format '%w %h\n' "$drawing" | head -n 1)
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))
mapfile -t points < <("$areas" points "$drawing")

shot() { import -window root "$work/$1.png"; }
start() {
    settings "$1"
    (cd "$work" && ./crayvex >"$work/crayvex.log" 2>&1) &
    pid=$!
    sleep 3
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
}
# The colour of the panel round the canvas: the current colour.
panel_colour() { "$probe" pixel "$work/$1.png" 5 $((screen_h - 5)); }
# A crayon scribble, back and forth, inside the square round an area's point.
scribble() {
    local px=$1 py=$2 d=$3
    xdotool mousemove $((left + px - d)) $((top + py - d / 2)) mousedown 1
    for pass in 1 2 3; do
        for i in 0 1 2 3 4 5 6 7 8; do
            local x=$((pass % 2 ? px - d + 2 * d * i / 8 : px + d - 2 * d * i / 8))
            xdotool mousemove $((left + x)) $((top + py - d / 2 + d * i / 8))
            sleep 0.02
        done
    done
    xdotool mouseup 1
    sleep 0.3
}
# How many pixels of the scribble's square lie within the jitter of a colour.
painted_near() {
    local px=$1 py=$2 d=$3 r=$4 g=$5 b=$6
    "$probe" near "$work/$7.png" $((left + px - d)) $((top + py - d)) $((left + px + d)) \
        $((top + py + d)) "$r" "$g" "$b" 12
}

start 0
xdotool mousemove 5 $((screen_h - 5))
sleep 0.5

# The bubbles rise: a second later only the palette has changed.
shot rise1
sleep 1
shot rise2
cp "$work/rise2.png" "$shots/bubbles-palette.png"
read -r x0 y0 x1 y1 < <("$probe" changed "$work/rise1.png" "$work/rise2.png")
[ "$x0" != none ] || fail "nothing moved in a second"
[ "$x0" -ge "$pc_left" ] && [ "$y1" -lt "$top_bar" ] ||
    fail "pixels outside the palette changed: $x0 $y0 $x1 $y1 (palette from x $pc_left)"
echo "a second of rising changed $x0,$y0 - $x1,$y1 (palette from x $pc_left)"

# A click on a bubble makes its colour current; the next stroke paints in it. The white
# sprite would hide in the white paper: any other one will do.
found=""
for attempt in $(seq 1 40); do
    shot palette
    for i in $(seq 0 19) 21; do
        found=$("$probe" find "$work/palette.png" "$(picture design pCC$i)" "$pc_left" 0 \
            $((screen_w - 1)) $((top_bar - 1)) || true)
        [ -n "$found" ] && break
    done
    [ -n "$found" ] && break
    sleep 0.25
done
[ -n "$found" ] || fail "no whole bubble in the palette"
read -r cx cy r g b <<<"$found"
xdotool mousemove "$cx" "$cy" click 1
sleep 0.5
xdotool mousemove 5 $((screen_h - 5))
sleep 0.3
shot clicked
[ "$(panel_colour clicked)" = "$r $g $b" ] ||
    fail "the panel shows $(panel_colour clicked), not the bubble's colour $r $g $b"
read -r ax ay ar <<<"${points[0]}"
read -r bx by br <<<"${points[1]}"
da=$(((ar > 40 ? 40 : ar) - 2))
db=$(((br > 40 ? 40 : br) - 2))
scribble "$ax" "$ay" "$da"
shot stroke1
n=$(painted_near "$ax" "$ay" "$da" "$r" "$g" "$b" stroke1)
[ "$n" -ge 50 ] || fail "the stroke holds only $n pixels of the bubble's colour $r $g $b"
echo "bubble colour $r $g $b: $n pixels of the stroke"

# The rainbow bubble opens the picker; a shade taken there paints the next stroke.
found=""
for attempt in $(seq 1 160); do
    shot palette
    found=$("$probe" find "$work/palette.png" "$(picture design pCC22)" "$pc_left" 0 \
        $((screen_w - 1)) $((top_bar - 1)) || true)
    [ -n "$found" ] && break
    sleep 0.25
done
[ -n "$found" ] || fail "the rainbow bubble never showed whole"
read -r cx cy _ <<<"$found"
xdotool mousemove "$cx" "$cy" click 1
sleep 1.5
shot picker
cp "$work/picker.png" "$shots/bubbles-picker.png"
# The picker is centred on the screen, its panel 8 pixels in from its left edge.
pk_left=$((screen_w / 2 - 1 - 459 / 2 + 8)) pk_top=$((screen_h / 2 - 1 - 314 / 2 + 1))
spot=$("$probe" bubble "$work/picker.png" "$pk_left" "$pk_top" $((pk_left + 443)) \
    $((pk_top + 310)) || true)
[ -n "$spot" ] || fail "no bubble in the picker"
read -r sx sy <<<"$spot"
xdotool mousemove "$sx" "$sy" click 1
sleep 0.5
xdotool mousemove 5 $((screen_h - 5))
sleep 0.3
shot shade
read -r r2 g2 b2 < <(panel_colour shade)
[ "$r2 $g2 $b2" != "$r $g $b" ] || fail "the picker gave no new colour"
# Where the picker stood, the canvas shows again as it was.
ix0=$((pk_left > left ? pk_left : left)) iy0=$((pk_top > top ? pk_top : top))
ix1=$((pk_left + 444 < left + w ? pk_left + 444 : left + w))
iy1=$((pk_top + 311 < top + h ? pk_top + 311 : top + h))
"$probe" same "$work/shade.png" "$work/stroke1.png" "$ix0" "$iy0" $((ix1 - ix0)) $((iy1 - iy0)) ||
    fail "the picker is still open"
scribble "$bx" "$by" "$db"
shot stroke2
n=$(painted_near "$bx" "$by" "$db" "$r2" "$g2" "$b2" stroke2)
[ "$n" -ge 50 ] || fail "the stroke holds only $n pixels of the picked shade $r2 $g2 $b2"
echo "picked shade $r2 $g2 $b2: $n pixels of the stroke"
bar=(0 0 "$bar_w" "$bar_h")
stop

# Auto-hide: the bar is hidden while the pointer is elsewhere, comes back after about a
# second of rest in the corner, and hides as soon as the pointer leaves.
start 1
xdotool mousemove 600 500
sleep 0.5
shot away
"$probe" same "$work/away.png" "$work/stroke1.png" "${bar[@]}" && fail "the bar shows with auto-hide on"
xdotool mousemove 0 0
t0=$(date +%s%N)
back=""
while :; do
    shot corner
    t=$((($(date +%s%N) - t0) / 1000000))
    if "$probe" same "$work/corner.png" "$work/stroke1.png" "${bar[@]}"; then
        back=$t
        break
    fi
    [ "$t" -gt 4000 ] && break
done
[ -n "$back" ] || fail "the bar did not come back in 4 s of rest in the corner"
[ "$back" -ge 700 ] && [ "$back" -le 2000 ] || fail "the bar came back after $back ms"
echo "the bar came back after $back ms in the corner (screenshots take time too)"
xdotool mousemove 600 500
sleep 0.3
shot left
"$probe" same "$work/left.png" "$work/stroke1.png" "${bar[@]}" && fail "the bar stayed after the pointer left"
stop
echo "bubbles: all checks passed"
