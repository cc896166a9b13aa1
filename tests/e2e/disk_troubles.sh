#!/usr/bin/env bash
# Files a family really has, met by the real program; in each case it reaches the chooser,
# opens drawings and stores what can be stored, and screenshots are kept:
#  read-only  the program folder read-only, the program run by an unprivileged user:
#             thumbnails are drawn from memory, and each storing is told as not kept;
#  full-disk  a small file system, filled up while a drawing is coloured: the storing is
#             told as not kept and the colouring stored before stays; with room again the
#             next storing works, and the colouring comes back at the next start;
#  long-name  a drawing of a 250-byte name coloured, stored, and opened again after a
#             new start;
#  pipes      named pipes where a thumbnail and a coloured picture would lie, and beside
#             them a pipe, a text file and an empty file under picture names.
# Usage: disk_troubles.sh <case> <program folder> <canvas_areas> <resources> <shot prefix>
set -uo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
trouble=$1 program_dir=$2 areas=$3 resources=$4 shots=$5-$1

# Permission bits and mounts are only for root to set up; others skip these cases.
if [ "$trouble" = read-only ] || [ "$trouble" = full-disk ]; then
    [ "$(id -u)" = 0 ] || { echo "SKIP: needs root to set up"; exit 77; }
fi
if [ "$trouble" = read-only ]; then
    command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 ||
        { echo "SKIP: no setpriv or no user nobody"; exit 77; }
fi
. "$(dirname "$0")/xvfb.sh"

. "$(dirname "$0")/work_folder.sh"
chmod 755 "$work"
prog=$work/program
mkdir "$prog"
if [ "$trouble" = full-disk ]; then
    size=$(($(du -sk "$program_dir" | cut -f1) + 2048))
    mount -t tmpfs -o "size=${size}k" tmpfs "$prog" 2>/dev/null ||
        { echo "SKIP: cannot mount a tmpfs"; exit 77; }
    mounted=$prog
fi
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
# Sounds off, no password, medium bubbles.
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
drawings=()
mapfile -t drawings < <(find "$prog/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o \
    -iname '*.jpg' \) | LC_ALL=C sort -f)
[ ${#drawings[@]} -ge 2 ] || fail "fewer than two drawings in the program folder"
# The second drawing chosen, the book's next cell, and where its colouring is stored.
stored_of() { echo "$prog/colored pictures/$(basename "$(dirname "$1")")/$(basename "$1").jpg"; }
second_cell="1 0"
second_stored=$(stored_of "${drawings[1]}")

as_user=()
case $trouble in
read-only)
    # Another user may reach the display and have a home; the program folder is theirs to
    # read only.
    cp "$XAUTHORITY" "$work/xauthority" && chmod 644 "$work/xauthority"
    export XAUTHORITY=$work/xauthority HOME=$work/home XDG_RUNTIME_DIR=$work/run
    mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" && chown nobody "$HOME" "$XDG_RUNTIME_DIR"
    chmod -R a+rX,a-w "$prog"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    ;;
long-name)
    book="$prog/books/A long book"
    mkdir "$book"
    drawing="$book/$(printf '%0246d' 0 | tr 0 a).gif"
    cp "${drawings[0]}" "$drawing"
    [ "$(basename "$drawing" | wc -c)" = 251 ] || fail "the name is not 250 bytes long"
    # The long name's book holds one cell; the next book begins the second row.
    second_cell="0 1"
    second_stored=$(stored_of "${drawings[0]}")
    ;;
pipes)
    mkfifo "${drawings[0]}.qrv"
    mkdir -p "$(dirname "$second_stored")"
    mkfifo "$second_stored"
    folder=$(dirname "${drawings[0]}")
    mkfifo "$folder/zz pipe.gif"
    echo "not a picture" >"$folder/zz damaged.jpg"
    : >"$folder/zz empty.gif"
    ;;
esac
. "$(dirname "$0")/colouring.sh"

# chooser NAME: waits for the chooser and keeps a screenshot of it.
chooser() {
    [ -n "$(window_of Open)" ] || fail "the picture chooser did not open ($1)"
    import -window root "$shots-$1.png"
}
# open_other: the open button, which stores the colouring first.
open_other() { xdotool mousemove 40 50 click 1; }
# told NAME: the child's message that the colouring could not be kept, answered with OK.
told() {
    message=$(window_of Message)
    [ -n "$message" ] || fail "no message that the colouring was not kept ($1)"
    # The toggle at 120, 1980 twips unfolds the adult's explanation.
    local folded
    folded=$(xdotool getwindowgeometry "$message")
    click_in "$message" $((8 + $(width_of bitmap/127) / 2)) $((132 + $(height_of bitmap/127) / 2))
    { wait_until grown "$message" "$folded" && wait_until placed "$message"; } ||
        fail "the explanation did not unfold ($1)"
    import -window root "$shots-$1.png"
    confirm_ok "$message"
}
not_told() {
    sleep 0.5
    [ -z "$(xdotool search --onlyvisible --name '^Message$' 2>/dev/null)" ] || fail "a message came ($1)"
}
run_program
chooser chooser
choose_cell 0 0 || fail "no drawing chosen"
colour
case $trouble in
read-only)
    open_other
    told told
    chooser chooser-after
    choose_cell $second_cell || fail "no second drawing chosen"
    import -window root "$shots-second.png"
    kill -0 "$pid" || fail "the program ended"
    [ ! -e "$prog/colored pictures" ] || fail "something was stored in a read-only folder"
    ;;
full-disk)
    open_other
    not_told first-storing
    chooser chooser-stored
    colouring_in "$stored" || fail "the first colouring was not stored"
    kept=$(md5sum <"$stored")
    choose_cell 0 0 || fail "the drawing was not chosen again"
    # The disk fills up while the child colours on.
    dd if=/dev/zero of="$prog/filler" bs=64k 2>/dev/null
    df -k "$prog" | tail -n 1
    colour
    open_other
    told told
    [ "$(md5sum <"$stored")" = "$kept" ] || fail "the colouring stored before was changed"
    chooser chooser-full
    rm "$prog/filler"
    choose_cell $second_cell || fail "no second drawing chosen"
    colour
    open_other
    not_told storing-with-room
    chooser chooser-room
    colouring_in "$second_stored" || fail "with room again, the colouring was not stored"
    ;;
long-name | pipes)
    open_other
    not_told storing
    chooser chooser-stored
    colouring_in "$stored" || fail "the colouring was not stored at $stored"
    choose_cell $second_cell || fail "no second drawing chosen"
    colour
    open_other
    not_told second-storing
    chooser chooser-second
    [ -f "$second_stored" ] && [ ! -p "$second_stored" ] || fail "the second colouring was not stored"
    ;;
esac
xdotool key Escape
end_program
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"

# Started again, the drawing opens with what could be stored.
run_program
chooser again
choose_cell 0 0 || fail "no drawing chosen after the new start"
if [ "$trouble" = read-only ]; then
    sleep 0.5
    import -window root "$shots-again.png"
    ! shown_coloured "$shots-again.png" || fail "a colouring came back that was never stored"
else
    wait_until shows_coloured "$shots-again.png" || fail "the colouring did not come back"
fi
end_program
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "$trouble: the chooser came, drawings opened, and what could be stored was stored"
