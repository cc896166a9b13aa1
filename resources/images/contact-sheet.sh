#!/bin/sh
# Lays every picture that the image generator made onto one sheet, to look at them
# together: bitmaps on the colour behind them, cursors on a checkerboard with their hot
# spot marked by a magenta cross, brushes, bubbles and design pictures at their size
# (small ones enlarged).
#
#   resources/images/contact-sheet.sh <build>/resources/images/pictures sheet.png
set -eu
pictures=$1
sheet=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tile() { # source label [extra convert options before the label]
    source=$1
    label=$2
    shift 2
    width=$(identify -format '%w' "$source")
    zoom=100
    [ "$width" -le 40 ] && zoom=300
    [ "$width" -gt 40 ] && [ "$width" -le 90 ] && zoom=200
    convert "$source" "$@" -filter point -resize "$zoom%" "$work/$(printf '%03d' "$count")-$label.png"
    count=$((count + 1))
}

count=0
for f in "$pictures"/cursor/*.png; do
    id=$(basename "$f" .png)
    x=$(identify -format '%[HotSpotX]' "$f")
    y=$(identify -format '%[HotSpotY]' "$f")
    size=$(identify -format '%wx%h' "$f")
    convert -size "$size" pattern:checkerboard "$f" -composite \
        -fill none -stroke magenta -draw "line $((x - 3)),$y $((x + 3)),$y" \
        -draw "line $x,$((y - 3)) $x,$((y + 3))" "$work/cursor.tmp.png"
    tile "$work/cursor.tmp.png" "cursor$id"
done
for f in "$pictures"/bitmap/*.png; do
    tile "$f" "bitmap$(basename "$f" .png)"
done
# How the top bar's buttons look while disabled (grey made from the normal picture).
for id in 102 146 110 130 108 105 119; do
    tile "$pictures/bitmap/$id.png" "disabled$id" -grayscale Rec601Luma
done
for f in "$pictures"/design/*.png; do
    name=$(basename "$f" .png)
    case $name in
    options | splash) ;;
    *) tile "$f" "$name" ;;
    esac
done

# Small pictures in a grid of equal cells, the two window backgrounds below it.
montage -label '%t' -font DejaVu-Sans -pointsize 11 "$work"/[0-9]*.png -tile 12x \
    -geometry '+6+6' -background '#8a8a8a' "$work/grid.png"
montage -label '%t' -font DejaVu-Sans -pointsize 11 "$pictures/design/options.png" \
    "$pictures/design/splash.png" -tile 2x -geometry '+6+6' -background '#8a8a8a' \
    "$work/backgrounds.png"
convert "$work/grid.png" "$work/backgrounds.png" -background '#8a8a8a' -append "$sheet"
