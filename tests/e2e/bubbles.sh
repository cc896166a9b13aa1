#!/usr/bin/env bash
# The real program in a real X server: the colour bubbles rise inside their palette, a
# clicked bubble's colour paints the next stroke, the rainbow bubble's picker gives a
# shade that the stroke after it uses, and with auto-hide on the function bar hides,
# comes back after about a second of rest in its corner and hides again.
# The bubbles keep moving while the test looks at them: it aims at where a bubble will be
# when the click arrives, from its rise between two screenshots, and tries again when a
# click finds no bubble.
# Usage: bubbles.sh <program folder> <bubbles_probe> <canvas_areas> <resources build dir>
#                   <folder for the screenshots>
set -euo pipefail
. "$(dirname "$0")/choose.sh"
program_dir=$1 probe=$2 areas=$3 resources=$4 shots=$5

. "$(dirname "$0")/xvfb.sh"

work=$(mktemp -d)
pid=""
cleanup() {
    # Waited for: the program stores its colouring as it ends, not into a removed folder.
    [ -n "$pid" ] && own_child "$pid" && { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "$shots/bubbles-failure.png" 2>/dev/null || true
    cat "$work/crayvex.log" 2>/dev/null
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
sprites=$(dirname "$(picture design pCC0)")

# The layout: the bubble palette fills the 100-pixel top bar right of the four action
# and the three tool buttons (each one pixel narrower than its picture); the canvas is
# centred below it; the function bar is a row of five buttons from the top-left corner.
screen_w=1024 screen_h=768 top_bar=100
pc_left=0
for id in 102 146 110 130 108 105 119; do pc_left=$((pc_left + $(width_of bitmap $id) - 1)); done
palette=("$pc_left" 0 $((screen_w - 1)) $((top_bar - 1)))
bar_w=0
for i in 0 1 2 3 4; do bar_w=$((bar_w + $(width_of design pFunc$i))); done
bar_h=$(height_of design pFunc0)
bar=(0 0 "$bar_w" "$bar_h")
# The white bubble would hide in the white paper, and the rainbow one opens the picker.
white_bubble=20 rainbow_bubble=22

drawing=$(find "$work/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)
read -r w h < <(identify -format '%w %h\n' "$drawing" | head -n 1)
left=$((screen_w / 2 - w / 2))
top=$((top_bar + (screen_h - top_bar) / 2 - h / 2))
mapfile -t points < <("$areas" points "$drawing")

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
shot() { import -window root "$work/$1.png"; }
# The colour of the panel round the canvas in a screenshot: the current colour.
panel_colour() { "$probe" pixel "$work/$1" 5 $((screen_h - 5)); }
# start AUTOHIDE: the program with the first drawing chosen and shown on the canvas (where
# the panel showed through before, in the middle of an area of the drawing).
start() {
    settings "$1"
    (cd "$work" && exec ./crayvex >"$work/crayvex.log" 2>&1) &
    pid=$!
    choose_cell 0 0 || fail "no drawing chosen"
    wait_until drawing_shown || fail "the drawing did not show on the canvas"
}
drawing_shown() {
    local x y
    read -r x y _ <<<"${points[0]}"
    shot shown
    [ "$("$probe" pixel "$work/shown.png" $((left + x)) $((top + y)))" != \
        "$(panel_colour shown.png)" ]
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
}
picker_window() { xdotool search --onlyvisible --name '^Colors$' 2>/dev/null | head -n 1; }
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

# aim_at WANTED LATEST: two screenshots of the palette a quarter of a second apart (aim1,
# aim2) give every bubble's place and rise; the first bubble that WANTED (a shell function
# called with "i cx cy whole seen vy r g b") accepts is clicked where it will be by then.
# Sets aim (the bubble's line), click (x y), late (ms from aim2 to the click) and lines
# (all the bubbles of aim2). Fails when no bubble is accepted, or when more than LATEST ms
# would go by from aim2 to the click.
aim_at() {
    local wanted=$1 latest=$2 line i cx cy whole seen vy taken
    mapfile -t lines < <("$probe" track "$work/aim1.bmp" "$work/aim2.bmp" 250 "$sprites" \
        "${palette[@]}")
    taken=${lines[0]#taken }
    lines=("${lines[@]:1}")
    aim=""
    for line in "${lines[@]}"; do
        if "$wanted" $line; then
            aim=$line
            break
        fi
    done
    [ -n "$aim" ] || return 1
    read -r i cx cy whole seen vy _ <<<"$aim"
    late=$(($(now_ms) - taken))
    [ "$late" -le "$latest" ] || {
        echo "($late ms from the screenshot to the click: aiming again)"
        return 1
    }
    click=("$cx" $((cy + vy * late / 1000)))
    xdotool mousemove "${click[@]}" click 1
}

start 0
xdotool mousemove 5 $((screen_h - 5))
sleep 0.5

# The bubbles rise: once something has moved, only the palette has changed.
shot rise1
moved() {
    shot rise2
    read -r x0 y0 x1 y1 < <("$probe" changed "$work/rise1.png" "$work/rise2.png")
    [ "$x0" != none ]
}
wait_until moved || fail "nothing moved"
cp "$work/rise2.png" "$shots/bubbles-palette.png"
[ "$x0" -ge "$pc_left" ] && [ "$y1" -lt "$top_bar" ] ||
    fail "pixels outside the palette changed: $x0 $y0 $x1 $y1 (palette from x $pc_left)"
echo "rising changed $x0,$y0 - $x1,$y1 (palette from x $pc_left)"

# A click on a bubble makes its colour current; the next stroke paints in it. The target
# shows whole, so no bubble drawn over it is near enough to come under the click within
# half a second; the rainbow bubble, drawn over all, keeps well away from it.
shot before
read -r r0 g0 b0 < <(panel_colour before.png)
plain_bubble() {
    [ "$4" = 1 ] && [ "$5" = 1 ] && [ "$1" != "$white_bubble" ] &&
        [ "$1" != "$rainbow_bubble" ] && [ "$7 $8 $9" != "$r0 $g0 $b0" ] || return 1
    local line i cx cy
    for line in "${lines[@]}"; do
        read -r i cx cy _ <<<"$line"
        [ "$i" = "$rainbow_bubble" ] && [ $(((cx - $2) ** 2 + (cy - $3) ** 2)) -lt $((100 ** 2)) ] &&
            return 1
    done
    return 0
}
colour=""
deadline=$(($(now_ms) + wait_limit * 1000))
while [ "$(now_ms)" -lt "$deadline" ]; do
    aim_at plain_bubble 500 || {
        sleep 0.2
        continue
    }
    sleep 0.4
    shot clicked
    [ -z "$(picker_window)" ] || fail "the rainbow bubble came under the click at ${click[*]}"
    colour=$(panel_colour clicked.png)
    [ "$colour" != "$r0 $g0 $b0" ] && break
    echo "(the click at ${click[*]} met no bubble: aiming again)"
done
[ -n "$colour" ] && [ "$colour" != "$r0 $g0 $b0" ] ||
    fail "no click on a bubble changed the panel's colour"
read -r r g b <<<"$colour"
# The new colour is the centre colour of a bubble that showed round the click.
near_click=""
for line in "${lines[@]}"; do
    read -r i cx cy whole seen vy cr cg cb <<<"$line"
    [ $(((cx - click[0]) ** 2 + (cy - click[1]) ** 2)) -le $((56 ** 2)) ] &&
        near_click="$near_click|$cr $cg $cb"
done
[[ "$near_click|" == *"|$r $g $b|"* ]] ||
    fail "the panel shows $r $g $b, no bubble colour round the click at ${click[*]} ($near_click)"
echo "the bubble clicked at ${click[*]} (aimed: $aim; $late ms later) made $r $g $b current"
read -r ax ay ar <<<"${points[0]}"
read -r bx by br <<<"${points[1]}"
da=$(((ar > 40 ? 40 : ar) - 2))
db=$(((br > 40 ? 40 : br) - 2))
scribble "$ax" "$ay" "$da"
shot stroke1
n=$(painted_near "$ax" "$ay" "$da" "$r" "$g" "$b" stroke1)
[ "$n" -ge 50 ] || fail "the stroke holds only $n pixels of the bubble's colour $r $g $b"
echo "bubble colour $r $g $b: $n pixels of the stroke"

# The rainbow bubble opens the picker; a shade taken there paints the next stroke. The
# rainbow bubble is drawn over all the others, so its middle showing is enough.
rainbow() { [ "$1" = "$rainbow_bubble" ] && [ "$5" = 1 ]; }
# It can take a slow rainbow bubble some 15 s from leaving the top to show again.
picker=""
deadline=$(($(now_ms) + wait_limit * 1000))
while [ "$(now_ms)" -lt "$deadline" ]; do
    aim_at rainbow 1000 || {
        sleep 0.2
        continue
    }
    for i in $(seq 1 30); do
        picker=$(picker_window)
        [ -n "$picker" ] && break
        sleep 0.1
    done
    [ -n "$picker" ] && break
    echo "(the click at ${click[*]} did not open the picker: aiming again)"
done
[ -n "$picker" ] || fail "no click on the rainbow bubble opened the picker"
read -r r1 g1 b1 < <(panel_colour aim2.bmp)
eval "$(xdotool getwindowgeometry --shell "$picker")"
# The picker's bubbles float on a white panel 8 pixels in from its left edge.
pk_left=$((X + 8)) pk_top=$((Y + 1))
sleep 0.5
for attempt in $(seq 1 20); do
    shot picker
    spot=$("$probe" deepest "$work/picker.png" "$pk_left" "$pk_top" $((pk_left + 443)) \
        $((pk_top + 310)) || true)
    if [ -n "$spot" ]; then
        read -r sx sy depth <<<"$spot"
        xdotool mousemove "$sx" "$sy" click 1
        for i in $(seq 1 20); do
            [ -z "$(picker_window)" ] && break 2
            sleep 0.1
        done
        echo "(the click at $sx $sy, $depth pixels inside a bubble, took no shade: again)"
    fi
done
[ -z "$(picker_window)" ] || fail "no click in the picker took a shade"
cp "$work/picker.png" "$shots/bubbles-picker.png"
xdotool mousemove 5 $((screen_h - 5))
# new_shade: the colour panel shows another colour than before the picker, or the same
# one where the picker showed a bubble of that colour. The picker tints its bubbles from the
# current colour, and one of them can be that colour itself: taking it changes nothing.
new_shade() {
    shot shade
    read -r r2 g2 b2 < <(panel_colour shade.png)
    [ "$r2 $g2 $b2" != "$r1 $g1 $b1" ] || [ "$(pixels_of "$r1" "$g1" "$b1")" -ge 100 ]
}
# pixels_of R G B: how many pixels of the picker's panel were of that colour.
pixels_of() {
    convert "$work/picker.png" -crop "444x311+$pk_left+$pk_top" +repage \
        -fill black +opaque "rgb($1,$2,$3)" -fill white -opaque "rgb($1,$2,$3)" \
        -format '%[fx:int(mean * w * h)]' info:
}
wait_until new_shade || fail "the picker gave no new colour"
# Where the picker stood, the canvas shows again as it was.
ix0=$((pk_left > left ? pk_left : left)) iy0=$((pk_top > top ? pk_top : top))
ix1=$((pk_left + 444 < left + w ? pk_left + 444 : left + w))
iy1=$((pk_top + 311 < top + h ? pk_top + 311 : top + h))
"$probe" same "$work/shade.png" "$work/stroke1.png" "$ix0" "$iy0" $((ix1 - ix0)) $((iy1 - iy0)) ||
    fail "the canvas did not come back where the picker stood"
scribble "$bx" "$by" "$db"
shot stroke2
cp "$work/stroke2.png" "$shots/bubbles-strokes.png"
n=$(painted_near "$bx" "$by" "$db" "$r2" "$g2" "$b2" stroke2)
[ "$n" -ge 50 ] || fail "the stroke holds only $n pixels of the picked shade $r2 $g2 $b2"
echo "picked shade $r2 $g2 $b2: $n pixels of the stroke"
stop

# Auto-hide: the bar is hidden while the pointer is elsewhere, comes back after about a
# second of rest in the corner (not before: a busy machine only makes it later), and hides
# as soon as the pointer leaves. Screenshots one after another tell when it came back:
# after the last one without it and by the first one with it.
start 1
xdotool mousemove 600 500
sleep 0.5
shot away
"$probe" same "$work/away.png" "$work/stroke1.png" "${bar[@]}" && fail "the bar shows with auto-hide on"
t_move=$(now_ms)
xdotool mousemove 0 0
t0=$(now_ms)
watched=$("$probe" watch "$work/stroke1.png" "${bar[@]}" "$t0" $((wait_limit * 1000)) "$work/corner.png" || true)
read -r hidden back <<<"$watched"
[ -n "$back" ] || fail "no screenshots of the corner"
[ "$back" != none ] || fail "the bar did not come back while the pointer rested in the corner"
# Measured from the end of the move, and at the end from its start.
back=$((back + t0 - t_move))
[ "$hidden" -ge 700 ] ||
    fail "the bar came back between $hidden and $back ms of rest in the corner"
echo "the bar came back between $hidden and $back ms of rest in the corner"
cp "$work/corner.png" "$shots/bubbles-bar-back.png"
xdotool mousemove 600 500
bar_hidden() { shot left && ! "$probe" same "$work/left.png" "$work/stroke1.png" "${bar[@]}"; }
wait_until bar_hidden || fail "the bar stayed after the pointer left"
stop
echo "bubbles: all checks passed"
