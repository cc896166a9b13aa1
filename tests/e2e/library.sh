#!/usr/bin/env bash
# The picture library of the real program, driven as a parent does it in a real X session
# with openbox. From the options window: a new book, pictures added to it (the grey one
# refused with its message), a picture pack made of the book, the book removed and the
# pack imported again; the chooser then shows the book with its drawings, and one of them
# opens on the canvas. Before that, a removal made to fail leaves the book shown, and a
# delete takes the picture selected in it. The coloured pictures gallery deletes a coloured picture, and the
# chooser's more-pictures button opens the manager. Fifty pictures into a read-only book are
# refused with one message; a book whose folder went while the manager showed it leaves the
# list with one message, and its name then makes a new book listed once.
# Usage: library.sh <program folder> <resources> <screenshot folder>
set -uo pipefail
. "$(dirname "$0")/choose.sh"
program_dir=$1 resources=$2 shots=$3

needs="openbox xdotool convert"
. "$(dirname "$0")/xvfb.sh"

work=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do ! own_child "$p" || { kill -9 "$p" && wait "$p"; } 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "$shots/library-failure.png" 2>/dev/null
    # What was typed into each dialog, and the files the program left.
    rm -f "$shots"/library-step-*.png
    for f in "$work"/step-*.png; do [ -f "$f" ] && cp "$f" "$shots/library-${f##*/}"; done
    find "$work/program/books" "$work/program/colored pictures" "$work/out" 2>/dev/null
    cat "$work"/*.err 2>/dev/null
    exit 1
}

# The file dialogs keep their history in the home folder: a fresh one for each run.
export HOME=$work XDG_CONFIG_HOME=$work/config
. "$(dirname "$0")/window_manager.sh"
start_openbox

prog=$work/program
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
# Sounds off, no auto-hide, no parental password, medium bubbles.
printf ' 0 \r\n 0 \r\n 0 \r\n 0 \r\n 4 \r\n\r\n\r\n' >"$prog/Settings.ini"
builtin="$prog/books/The Crayvex"
first=$(ls "$builtin" | grep -iE '\.(gif|bmp|jpg)$' | LC_ALL=C sort -f | head -n 1)
drawings=$(ls "$builtin" | grep -icE '\.(gif|bmp|jpg)$')

# Two pure black-and-white drawings and a grey one.
pics=$work/pictures
mkdir -p "$pics" "$work/out"
draw() { convert -size 200x150 xc:white +antialias -fill "$2" -stroke black -strokewidth 4 \
    -draw "$3" "BMP3:$pics/$1"; }
draw sun.bmp none "circle 100 75 100 25"
draw house.bmp none "rectangle 50 60 150 140"
convert "$pics/house.bmp" +antialias -fill none -stroke black -strokewidth 4 \
    -draw "polygon 40 60 100 15 160 60" "BMP3:$pics/house.bmp"
draw grey.bmp gray50 "rectangle 50 40 150 110"
for f in sun house; do
    colours=$(convert "$pics/$f.bmp" -unique-colors txt: | tail -n +2 | awk '{print $3}' | sort | tr '\n' ' ')
    [ "$colours" = "#000000 #FFFFFF " ] || fail "$f.bmp is not pure black and white: $colours"
done

size_of() { identify -format "%$1" "$(find "$resources" -path "*/$2.png" | head -n 1)"; }
# visible NAME: a shown window of exactly that name, standing still; prints its id.
visible() {
    local found
    found=$(steady_window "$1") && echo "$found"
}
# gone NAME ID: that window has been closed.
gone() { wait_until closed "$2"; }
# until_true SECONDS COMMAND...: polls the command ten times a second, for that long: to
# see that something does not happen.
until_true() {
    local i=0 limit=$(($1 * 10))
    shift
    until "$@"; do
        i=$((i + 1))
        [ $i -gt $limit ] && return 1
        sleep 0.1
    done
}
# click_in WINDOW X Y: a click at a point of the window.
click_in() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# link WINDOW LEFT TOP: a click on the text link placed at those twips of the window.
link() { click_in "$1" $(($2 / 15 + 20)) $(($3 / 15 + 8)); }
# ready ID: the window is the active one and what it shows stands still: the program has
# done what the last click asked and waits for the next one. Every click on a list
# window's link waits for it.
ready() { wait_until ready_now "$1"; }
ready_now() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] || return 1
    picture_a=$(window_print "$1") && sleep 0.2 && [ "$picture_a" = "$(window_print "$1")" ]
}
window_print() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
# on WINDOW LEFT TOP: a click on a link of a list window once it is ready for it.
on() { ready "$1" && link "$@"; }
# book_shown ID PRINT: the book list of the manager shows another title than it did when
# its print was taken, and the window is ready.
books_print() { import -window "$1" -crop 200x21+116+15 rgb:- 2>/dev/null | md5sum; }
book_shown() { wait_until eval '[ "$(books_print "$manager")" != "$before" ]' && ready "$manager"; }
# message_continue [SHOT]: the parent message window comes, is looked at, and is closed
# with its Continue link.
# A message that follows at once may come in the same window, hidden and shown again too
# fast to be seen closed: its text, at the window's top, then tells the two apart.
message_continue() {
    local m text
    m=$(visible Message) || return 1
    [ -n "${1:-}" ] && import -window root "$1"
    text=$(message_text "$m")
    # The pointer comes to the link from elsewhere, as a hand's would: a click on the spot of
    # the last one, soon after it, is a double click, whose second press the link ignores.
    xdotool mousemove_relative -- 0 -40
    link "$m" 5160 2400
    wait_until answered "$m" "$text"
}
# message_text ID: a print of the message's text area; answered ID TEXT: that message
# window has closed, or shows another text.
message_text() { import -window "$1" -crop 400x60+0+0 rgb:- 2>/dev/null | md5sum; }
answered() { closed "$1" || [ "$(message_text "$1")" != "$2" ]; }
# no_message: no further message comes within a second.
no_message() { ! until_true 1 xdotool search --onlyvisible --name '^Message$'; }
# in_dialog TITLE TEXT: the text typed into the dialog's box and entered. The text is
# typed behind a blank, which is taken away at the end: the file dialog's completer, which
# pops up its list at a text it can complete, would swallow the next key while its list
# comes up.
in_dialog() {
    local d title=$1
    d=$(visible "$title") || return 1
    wait_until eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$d" ]' || return 1
    type_in_box "$2"
    xdotool key Return
    gone "$title" "$d"
}
type_in_box() {
    xdotool type --delay 20 " $1"
    xdotool key Home Delete
    sleep 0.3
    steps=$((${steps:-0} + 1))
    import -window root "$work/step-$steps.png"
}
# choose_files FOLDER COUNT NAMES: in the shown Open dialog, the folder entered, then the
# names (quoted, in it) typed, and entered once the dialog shows them all chosen in its list
# and no completer list is up. The folder, a text the completer can complete, is entered
# once the completer's list has come up: a list that came up later would take the names.
choose_files() {
    local d windows count=$2
    d=$(visible Open) || return 1
    wait_until eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$d" ]' || return 1
    windows=$(program_windows)
    type_in_box "$1"
    wait_until eval '[ "$(program_windows)" -gt "$windows" ]' || return 1
    xdotool key Return
    # A completer list that comes up late, on a busy machine, takes a key of the names:
    # then they do not show chosen, and the box is emptied and they are typed again.
    local attempt
    for attempt in 1 2 3 4 5 6; do
        type_in_box "$3"
        wait_limit=20 wait_until eval '[ "$(chosen_rows "$d")" = "$count" ] &&
            [ "$(program_windows)" = "$windows" ]' && break
        [ $attempt = 6 ] && return 1
        xdotool key End shift+Home BackSpace
    done
    xdotool key Return
    gone Open "$d"
}
# choose_all FOLDER: in the shown Open dialog, the folder entered, then every file of it
# chosen in the dialog's list (a click on its first row, then Shift+End: the child lock
# takes every key with Ctrl) and opened. The first click may only close the name box's
# completer list, and the list's files may still be coming in: clicked again until the
# rows show chosen.
choose_all() {
    local d windows
    d=$(visible Open) || return 1
    wait_until eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$d" ]' || return 1
    windows=$(program_windows)
    type_in_box "$1"
    wait_until eval '[ "$(program_windows)" -gt "$windows" ]' || return 1
    xdotool key Return
    wait_until eval 'click_in "$d" 150 53; xdotool key shift+End; [ "$(chosen_rows "$d")" -gt 5 ]' ||
        return 1
    import -window root "$work/step-all.png"
    xdotool key Return
    gone Open "$d"
}
# program_windows: how many windows the program shows.
program_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
# chosen_rows ID: how many rows the file dialog's list shows chosen: the chosen rows'
# colour counted down a line near the list's right edge, past the dates, 18 pixels a row.
chosen_rows() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo $(($(import -window "$1" png:- 2>/dev/null |
        convert - -crop "1x$((HEIGHT - 140))+$((WIDTH - 32))+60" +repage txt:- 2>/dev/null |
        grep -c '#308CC6') / 18))
}
ncc() { compare -metric NCC "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# The function bar's options button, and the child confirmation's OK button (4440, 1800
# twips), which lets the adult through when no password is used.
bar_y=$(($(size_of h design/pFunc0) / 2))
options_x=$((4 * $(size_of w design/pFunc0) + $(size_of w design/pFunc4) / 2))
options() {
    xdotool mousemove "$options_x" "$bar_y" click 1
    local m
    m=$(visible Message) || fail "the options button asked nothing"
    click_in "$m" $((4440 / 15 + $(size_of w bitmap/115) / 2)) \
        $((1800 / 15 + $(size_of h bitmap/115) / 2))
    options=$(visible Options) || fail "no options window"
}

(cd "$prog" && exec ./crayvex) 2>"$work/crayvex.err" &
pid=$!
pids="$pids $pid"
visible 'The Crayvex' >/dev/null || fail "the main window did not come up"
choose_cell 0 0 || fail "the picture chooser did not open"
# A scribble across the drawing: opening the options stores it as a coloured picture.
xdotool mousemove 380 420 mousedown 1
for i in $(seq 0 20); do xdotool mousemove $((380 + i * 12)) $((420 + (i % 2) * 30)); sleep 0.02; done
xdotool mouseup 1
sleep 0.3
options
coloured="$prog/colored pictures/The Crayvex/$first.jpg"
wait_until test -f "$coloured" || fail "opening the options stored no colouring"

# ---- A new book with two drawings; the grey picture is refused ---------------------------
link "$options" 120 5280 # Add/remove coloring pages and books
manager=$(visible 'Manage pictures') || fail "the options link did not open the manager"
ready "$manager" || fail "the manager is not ready"
before=$(books_print "$manager")
on "$manager" 7080 255 # Create a new book
in_dialog 'Book title' 'Zoo Animals ' || fail "no input box for the book's title"
book="$prog/books/Zoo Animals"
wait_until test -d "$book" || fail "the book was not created (the title is trimmed)"
book_shown || fail "the new book is not shown"
on "$manager" 240 6240 # Add pictures to this book
choose_files "$pics/" 3 '"sun.bmp" "grey.bmp" "house.bmp"' || fail "no file dialog for pictures"
message_continue "$shots/library-grey-refused.png" || fail "the grey picture was not refused"
no_message || fail "more than the one refusal"
wait_until test -f "$book/sun.bmp.qrv" -a -f "$book/house.bmp.qrv" ||
    fail "the added pictures were not listed"
[ -e "$book/grey.bmp" ] && fail "the grey picture was added"
cmp -s "$pics/sun.bmp" "$book/sun.bmp" && cmp -s "$pics/house.bmp" "$book/house.bmp" ||
    fail "the pictures were not copied as they are"
import -window root "$shots/library-manager.png"
echo "a new book with two drawings, the grey one refused"

# ---- A read-only book takes no picture, told once; a book whose folder went leaves -----
# Write protected as the program tells it, by the permission bits (also for root).
many=$work/many
mkdir -p "$many"
for i in $(seq -w 1 50); do cp "$pics/sun.bmp" "$many/p$i.bmp"; done
chmod a-w "$book"
on "$manager" 240 6240 # Add pictures to this book
choose_all "$many/" || fail "no file dialog for the fifty pictures"
message_continue "$shots/library-read-only.png" || fail "adding into a read-only book said nothing"
no_message || fail "more than one message for the read-only book"
chmod u+w "$book"
[ -z "$(ls "$book" | grep '^p')" ] || fail "pictures were added to the read-only book"
echo "fifty pictures into a read-only book: one message"

# The folder goes while the manager shows the book: the next command on it tells so once,
# and the book leaves the list.
mv "$book" "$work/zoo-away"
on "$manager" 5040 255 # Delete this book
message_continue "$shots/library-vanished.png" || fail "a vanished book's removal said nothing"
no_message || fail "more than one message for the vanished book"
ready "$manager" || fail "the manager is not ready after the vanished book"
import -window root "$shots/library-vanished-left.png"
# The same name for a new book is listed once, shown, and takes the pictures again.
before=$(books_print "$manager")
on "$manager" 7080 255 # Create a new book
in_dialog 'Book title' 'Zoo Animals' || fail "no input box for the book's title again"
wait_until test -d "$book" || fail "the book was not made again"
book_shown || fail "the book made again is not shown"
on "$manager" 240 6240 # Add pictures to this book
choose_files "$pics/" 2 '"sun.bmp" "house.bmp"' || fail "no file dialog for the pictures again"
wait_until test -f "$book/sun.bmp.qrv" -a -f "$book/house.bmp.qrv" ||
    fail "the pictures added again were not listed"
ready "$manager" || fail "the manager is not ready after adding again"
# The book list opened: each title once.
eval "$(xdotool getwindowgeometry --shell "$manager")"
xdotool mousemove $((X + 116 + 192)) $((Y + 15 + 10)) click 1
sleep 0.5
import -window root "$shots/library-books-listed.png"
xdotool key Escape
ready "$manager" || fail "the manager is not ready after its book list"
rm -rf "$work/zoo-away"
echo "a vanished book left the list, and its name made a new book listed once"

# ---- A picture pack of the book --------------------------------------------------------
on "$manager" 2820 6660 # Create a Picture Pack
builder=$(visible 'Create a Picture Pack') || fail "no pack builder"
import -window root "$shots/library-pack-builder.png"
# A folder name that a pack cannot carry is refused before the save dialog.
mkdir -p "$work/a|b"
cp "$pics/sun.bmp" "$work/a|b/"
on "$builder" 120 1920 # Select files to put into the Picture Pack
choose_files "$work/a|b/" 1 '"sun.bmp"' || fail "no file dialog for the refused pack's pictures"
message_continue "$shots/library-pack-refused.png" || fail "the name with a bar was not refused"
xdotool search --onlyvisible --name '^Select where' >/dev/null 2>&1 && fail "a save dialog came"
[ -z "$(ls "$work/out")" ] || fail "the refused pack wrote $(ls "$work/out")"
on "$builder" 120 1920 # Select files to put into the Picture Pack
choose_files "$book/" 2 '"house.bmp" "sun.bmp"' || fail "no file dialog for the pack's pictures"
in_dialog 'Select where you would like to save the Picture Pack.' "$work/out/zoo" ||
    fail "no save dialog for the pack"
message_continue || fail "no message after writing the pack"
on "$builder" 5400 2280 # Close
gone 'Create a Picture Pack' "$builder" || fail "the pack builder did not close"
pack=$work/out/zoo.zvp
[ -f "$pack" ] || fail "no pack at $pack"
header='Zoo Animals|house.bmp|sun.bmp'
[ "$(head -c ${#header} "$pack")" = "$header" ] ||
    fail "the pack's header is wrong: $(head -c ${#header} "$pack" | tr -c "[:print:]" .)"
# The header, then a 13-byte separator before each picture's bytes.
expected=$((${#header} + 2 * 13 + $(stat -c %s "$pics/house.bmp") + $(stat -c %s "$pics/sun.bmp")))
[ "$(stat -c %s "$pack")" = "$expected" ] || fail "the pack holds $(stat -c %s "$pack") bytes, not $expected"
echo "a pack of the book written"

# ---- A removal that fails keeps the book shown; a delete then takes what is shown -------
# A read-only picture keeps the book from being removed.
chmod a-w "$book/house.bmp"
on "$manager" 5040 255 # Delete this book
message_continue || fail "removing the book asked nothing"
message_continue "$shots/library-removal-failed.png" || fail "the failed removal said nothing"
[ -f "$book/sun.bmp" ] && [ -f "$book/house.bmp" ] || fail "the failed removal took pictures"
# The book's second thumbnail, sun.bmp, a grid cell to the right of the first.
ready "$manager" || fail "the manager is not ready after the failed removal"
click_in "$manager" $((240 / 15 + 75 + 142)) $((690 / 15 + 55))
sleep 0.3
import -window root "$shots/library-selected-after-failure.png"
on "$manager" 3240 6240 # Delete selected picture(s)
message_continue || fail "deleting the selected picture asked nothing"
wait_until test ! -e "$book/sun.bmp" || fail "the selected picture of the shown book stayed"
no_message || fail "deleting the selected picture gave a message"
[ -f "$book/house.bmp" ] || fail "a picture that was not selected went"
[ "$(ls "$builtin" | grep -icE '\.(gif|bmp|jpg)$')" = "$drawings" ] ||
    fail "a picture of another book was deleted"
chmod u+w "$book/house.bmp"
import -window root "$shots/library-deleted-after-failure.png"
echo "a failed removal kept its book shown, and the delete took the picture selected there"

# ---- The book removed, and installed again from its pack -------------------------------
on "$manager" 5040 255 # Delete this book
message_continue || fail "removing the book asked nothing"
wait_until test ! -e "$book" || fail "the book was not removed"
on "$manager" 240 6660 # Import a Picture Pack
message_continue || fail "no notice before importing"
in_dialog Open "$pack" || fail "no file dialog for the pack"
message_continue "$shots/library-imported.png" || fail "no message after importing"
cmp -s "$pics/sun.bmp" "$book/sun.bmp" && cmp -s "$pics/house.bmp" "$book/house.bmp" ||
    fail "the imported pictures differ from the book's"
[ "$(ls "$book" | wc -l)" = 2 ] || fail "the imported book holds $(ls "$book")"
on "$manager" 8760 6660 # Close
gone 'Manage pictures' "$manager" || fail "the manager did not close"
options=$(visible Options) || fail "the options window did not come back"
link "$options" 3360 6000 # Cancel
gone Options "$options" || fail "the options window did not close"
echo "the book removed and installed again from its pack"

# ---- The chooser shows the book; its first drawing opens --------------------------------
xdotool mousemove 40 50 click 1 # open another picture
chooser=$(visible Open) || fail "no chooser"
wait_until test -f "$book/house.bmp.qrv" -a -f "$book/sun.bmp.qrv" ||
    fail "the chooser made no thumbnails for the book"
sleep 0.5
import -window root "$shots/library-chooser.png"
# Cells 100 pixels square, 105 apart, 6 in from the sheet's left; as many to a row as fit
# with a 5-pixel gap beside the scroll bar; a book's band begins 40 below the one before.
sheet_width=$((675 - $(size_of w bitmap/136)))
columns=1
while [ $(((columns - 1) * 105 + 216)) -le "$sheet_width" ]; do columns=$((columns + 1)); done
band=$((1 + ((drawings + columns - 1) / columns - 1) * 105 + 140))
[ $((band + 60)) -le 441 ] || fail "the new book lies below the chooser's visible sheet"
eval "$(xdotool getwindowgeometry --shell "$chooser")"
for cell in 0 1; do
    convert "$shots/library-chooser.png" -crop "100x60+$((X + 14 + 105 * cell))+$((Y + 8 + band))" \
        +repage "$work/cell$cell.png"
done
for f in house sun; do convert "$book/$f.bmp.qrv" -crop 100x60+0+0 +repage "$work/$f-thumb.png"; done
for pair in "0 house sun" "1 sun house"; do
    set -- $pair
    right=$(ncc "$work/cell$1.png" "$work/$2-thumb.png")
    wrong=$(ncc "$work/cell$1.png" "$work/$3-thumb.png")
    awk -v r="$right" -v w="$wrong" 'BEGIN { exit !(r > 0.7 && r > w + 0.2) }' ||
        fail "cell $1 of the new book does not show $2.bmp ($right against $wrong)"
done
# choose_new CELL NAME: chooses that cell of the new book, whose drawing then fills the
# canvas in the middle of the area below the toolbar.
choose_new() {
    click_in "$chooser" $((14 + 105 * $1 + 50)) $((8 + band + 40))
    gone Open "$chooser" || fail "choosing $2 did not close the chooser"
    convert "$pics/$2" "$work/expected.png"
    wait_until on_canvas || fail "$2 is not on the canvas"
}
# on_canvas: a screenshot taken now shows the expected drawing on the canvas.
on_canvas() {
    import -window root "$work/canvas.png"
    convert "$work/canvas.png" -crop "200x150+$((1024 / 2 - 100))+$((100 + (768 - 100) / 2 - 75))" \
        +repage "$work/on-canvas.png"
    [ "$(compare -metric AE -fuzz 10% "$work/on-canvas.png" "$work/expected.png" null: 2>&1 |
        cut -d' ' -f1)" -lt 50 ]
}
choose_new 0 house.bmp
echo "the chooser shows the book with its drawings, and its first one opens"

# ---- The gallery deletes a coloured picture --------------------------------------------
options
link "$options" 120 4920 # Manage colored pages
gallery=$(visible 'Manage colored pictures') || fail "the options link did not open the gallery"
# The first thumbnail of the list view, which the design puts at 240, 690 twips.
ready "$gallery" || fail "the gallery is not ready"
click_in "$gallery" $((240 / 15 + 75)) $((690 / 15 + 55))
sleep 0.3
import -window root "$shots/library-gallery.png"
on "$gallery" 240 6450 # Delete selected picture(s)
message_continue || fail "deleting asked nothing"
wait_until test ! -e "$coloured" || fail "the coloured picture was not deleted"
[ -e "$coloured.qrv" ] && fail "the coloured picture's thumbnail stayed"
[ -f "$builtin/$first" ] || fail "deleting the colouring took the drawing"
on "$gallery" 8760 6450 # Close
gone 'Manage colored pictures' "$gallery" || fail "the gallery did not close"
options=$(visible Options) || fail "the options window did not come back"
link "$options" 3360 6000 # Cancel
gone Options "$options" || fail "the options window did not close"
echo "the gallery deleted the coloured picture"

# ---- The chooser's more-pictures button opens the manager ------------------------------
xdotool mousemove 40 50 click 1
chooser=$(visible Open) || fail "no chooser"
click_in "$chooser" $((8 + $(size_of w bitmap/141) / 2)) $((8 + 489 - 5 - $(size_of h bitmap/141) / 2))
m=$(visible Message) || fail "the more-pictures button asked nothing"
click_in "$m" $((4440 / 15 + $(size_of w bitmap/115) / 2)) $((1800 / 15 + $(size_of h bitmap/115) / 2))
manager=$(visible 'Manage pictures') || fail "the more-pictures button did not open the manager"
on "$manager" 8760 6660 # Close
gone 'Manage pictures' "$manager" || fail "the manager did not close"
xdotool mousemove 40 50 click 1
chooser=$(visible Open) || fail "no chooser after the manager"
choose_new 1 sun.bmp
echo "the chooser's more-pictures button opened the manager, and the program goes on"

kill -TERM "$pid"
wait_until eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end"
exit 0
