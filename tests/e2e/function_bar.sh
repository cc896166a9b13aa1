#!/usr/bin/env bash
# The adults' function bar of the real program in a real X session with openbox:
#  - colour, Quit: a wrong password shows the hint, the right one ends the program, and
#    the stored JPEG holds the colouring;
#  - colour, closed by the window manager; colour, ended by SIGTERM: each time the
#    colouring is stored and the program has gone within two seconds;
#  - save a copy to a chosen path, and print two copies to a PDF file.
# Usage: function_bar.sh <program folder> <canvas_areas> <wm_close> <resources> <shot prefix>
set -uo pipefail
. "$(dirname "$0")/choose.sh"
. "$(dirname "$0")/sanitizer_report.sh"
program_dir=$1 areas=$2 wm_close=$3 resources=$4 shots=$5

needs="openbox pdfinfo"
. "$(dirname "$0")/xvfb.sh"

. "$(dirname "$0")/work_folder.sh"

. "$(dirname "$0")/window_manager.sh"
start_openbox

prog=$work/program
cp -r "$program_dir"/. "$prog/"
rm -rf "$prog/colored pictures" "$prog/Settings.ini"
# Sounds off, quitting needs permission, no auto-hide, the password on, medium bubbles.
password='Tulip 7'
printf ' 0 \r\n 0 \r\n 0 \r\n 1 \r\n 4 \r\n%s\r\na flower\r\n' "$password" >"$prog/Settings.ini"
# The print dialog proposes a PDF file in the home folder.
export HOME=$work

. "$(dirname "$0")/colouring.sh"
start() {
    (cd "$prog" && exec ./crayvex) 2>>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
    main=$(window_of 'The Crayvex')
    [ -n "$main" ] || fail "the main window did not come up"
    choose_cell 0 0 || fail "the picture chooser did not open"
}

# ---- Quit with the password ----------------------------------------------------------
start
colour
xdotool mousemove "${bar_x[0]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Quit asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 'tulip'
xdotool key Return
sleep 0.5
import -window root "$shots-quit-password.png"
kill -0 "$pid" 2>/dev/null || fail "a wrong password ended the program"
[ -f "$stored" ] && fail "stored before the confirmation was answered"
xdotool key ctrl+a BackSpace
for i in 1 2 3 4 5; do xdotool key BackSpace; done
xdotool type --delay 30 "$password"
xdotool key Return
gone || fail "the right password did not end the program"
colouring_in "$stored" || fail "Quit did not store the colouring"
echo "quit: the hint after a wrong password, the colouring stored"

# ---- Closed by the window manager, and by SIGTERM ------------------------------------
for how in wm sigterm; do
    rm -f "$stored"
    start
    colour
    if [ $how = wm ]; then
        "$wm_close" "$main" || fail "could not ask the window manager"
    else
        kill -TERM "$pid"
    fi
    gone || fail "$how: the program did not end"
    colouring_in "$stored" || fail "$how: the colouring was not stored"
    echo "$how: the colouring stored, the program gone"
done

# ---- Save a copy, print two copies -------------------------------------------------------
start
colour
# A plain name in the folder the dialog opens on: typing a path makes the dialog's completer
# pop up, and under load it swallows keystrokes.
copy="$prog/savedcopy"
xdotool mousemove "${bar_x[1]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Save asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 "$password"
xdotool key Return
dialog=$(window_of 'Save current picture as...')
[ -n "$dialog" ] || fail "no save dialog"
wait_until active_now "$dialog" || fail "the save dialog did not take the keyboard"
xdotool type --delay 40 "$(basename "$copy")"
sleep 0.3
import -window root "$shots-save-dialog.png"
xdotool key Return
wait_until colouring_in "$copy.jpg" || fail "the copy was not written, or does not hold the colouring"
echo "save: '$copy.jpg' written"

xdotool mousemove "${bar_x[2]}" "$bar_y" click 1
message=$(window_of Message)
[ -n "$message" ] || fail "Print asked nothing"
unfold "$message" || fail "the password row did not show"
xdotool type --delay 30 "$password"
xdotool key Return
dialog=$(window_of Print)
[ -n "$dialog" ] || fail "no print dialog"
wait_until active_now "$dialog" || fail "the print dialog did not take the keyboard"
import -window root "$shots-print-dialog.png"
# The dialog's own place on the fixed screen: Options >>, then two copies into the PDF
# file it proposes, once the dialog has grown to show the options.
folded=$(xdotool getwindowgeometry "$dialog")
xdotool mousemove 393 412 click 1
{ wait_until grown "$dialog" "$folded" && wait_until placed "$dialog"; } ||
    fail "the print dialog did not show its options"
xdotool mousemove 700 476 click 1
xdotool key End BackSpace BackSpace 2
sleep 0.3
import -window root "$shots-print-dialog.png"
pdf=$prog/print.pdf
xdotool mousemove 634 601 click 1
wait_until eval '[ -s "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1' || fail "nothing was printed to '$pdf'"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "two copies printed $pages pages"
pdftoppm -r 40 -png "$pdf" "$work/page"
for page in "$work"/page-*.png; do
    [ "$(convert "$page" -fuzz 10% -trim -format '%w' info:)" -gt 200 ] || fail "no picture on $page"
done
echo "print: two copies on two pages of '$pdf'"
kill -TERM "$pid"
gone || fail "the program did not end"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
exit 0
