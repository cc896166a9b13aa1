#!/usr/bin/env bash
# The adults' pages of the real program, under openbox, from a program folder named
# "Kids #1 100% sure?", with a browser on the PATH that only writes down that it started:
#  - Return, keypad Enter and Space in the About box open nothing;
#  - Help, the licence and Visit Website each show their page on top of the program, in
#    its own page window, while the child lock holds; once that window is closed the lock
#    is whole again: both grabs held, the main window full-screen, above and on top;
#  - the browser was never started.
# Usage: adult_pages.sh <program folder> <desk_window> <resources> <shot prefix>
set -uo pipefail
program_dir=$1 desk=$2 resources=$3 shots=$4

needs="openbox xprop"
. "$(dirname "$0")/xvfb.sh"
. "$(dirname "$0")/lock_session.sh"
. "$(dirname "$0")/choose.sh"

# A browser, and the desktop's opener of addresses, that write their arguments into a log.
mkdir -p "$work/bin"
for tool in x-www-browser xdg-open; do
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$tool" "$work/browser.log" >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
done
export PATH="$work/bin:$PATH"

# The program, in a folder whose name holds the characters that mean something in an
# address; sounds off, no password.
start_program "$program_dir" "$work/Kids #1 100% sure?/program"
main=$(steady_window 'The Crayvex') || fail "the main window did not come up"
choose_cell 0 0 || fail "the picture chooser did not open"
wait_until none_shown Open || fail "the picture chooser did not close"

stacking() {
    local id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//; s/,/ /g'); do
        printf '%d\n' "$id"
    done
}
on_top() { [ "$(stacking | tail -n 1)" = "$1" ]; }
above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
grabs_held() { [ "$("$desk" grabs)" = "pointer=held keyboard=held" ]; }
at_origin() { [ "$(geometry "$main")" = "X=0 Y=0 WIDTH=1024 HEIGHT=768" ]; }
# lock_whole WHAT: the program holds the pointer and the keyboard, its main window fills
# the screen, full-screen and above for the window manager, and is on top of all.
lock_whole() {
    kill -0 "$pid" 2>/dev/null || fail "$1: the program ended"
    wait_until grabs_held || fail "$1: the grabs are $("$desk" grabs)"
    wait_until full_screen "$main" || fail "$1: the main window is not full-screen"
    above "$main" || fail "$1: the main window is not above"
    wait_until on_top "$main" || fail "$1: the main window is not on top"
    at_origin || fail "$1: the main window is at $(geometry "$main")"
}
lock_whole "the program started"

# The About box: the window of that name and its size.
about_now() {
    local id
    for id in $(xdotool search --onlyvisible --name '^The Crayvex$' 2>/dev/null); do
        eval "$(geometry "$id")"
        [ "$WIDTH" = 621 ] && [ "$HEIGHT" = 389 ] && about=$id && return 0
    done
    return 1
}
bar_y=$(($(size_of h design/pFunc0) / 2))
about_x=0
for i in 0 1 2; do about_x=$((about_x + $(size_of w "design/pFunc$i"))); done
about_x=$((about_x + $(size_of w design/pFunc3) / 2))
# open_about: the About/Help button, OK on its question, and the About box up; sets
# AX and AY to its inside's place.
open_about() {
    xdotool mousemove "$about_x" "$bar_y" click 1
    wait_until is_shown Message || fail "the About button asked nothing"
    message_button ok
    wait_until about_now || fail "no About box"
    wait_until managed "$about" || fail "the About box was not taken in"
    wait_until placed "$about" || fail "the About box did not settle"
    eval "$(geometry "$about")"
    AX=$X AY=$Y
}
# click_about X Y: a click at that place in the About box (its links at their design places).
click_about() { xdotool mousemove $((AX + $1)) $((AY + $2)) click 1; }

# page_now NAME: the newest shown window of that name that is neither the main window nor
# the About box: the page window; its id in $page.
page_now() {
    page=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -v -x -e "$main" \
        -e "${about:-none}" | tail -n 1)
    [ -n "$page" ] && managed "$page" && placed "$page"
}
# page_share FILE: the per cent of the page window's area in the screenshot that shows
# the pages' own paper colour.
page_share() {
    eval "$(geometry "$page")"
    convert "$1" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -fuzz 1% -fill black +opaque '#FFFDF6' \
        -fill white -opaque '#FFFDF6' -format '%[fx:int(100*mean)]' info:
}
# see_page WHAT NAME SHOT: the page window of that name is up, on top of the program,
# within the screen, showing a page, with the lock held all the while; then its Close
# button closes it.
see_page() {
    wait_until page_now "$2" || fail "$1: no page window '$2'"
    none_shown Message || fail "$1: the program told of a missing page"
    wait_until on_top "$page" || fail "$1: the page window is not on top"
    [ "$(stacking | grep -n -x "$page" | cut -d: -f1)" -gt \
        "$(stacking | grep -n -x "$main" | cut -d: -f1)" ] || fail "$1: the page is under the program"
    grabs_held || fail "$1: the grabs are $("$desk" grabs) while the page shows"
    import -window root "$3"
    [ "$(page_share "$3")" -gt 50 ] || fail "$1: the page window shows no page ($(page_share "$3")%)"
    eval "$(geometry "$page")"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
        fail "$1: the page window reaches past the screen: $(geometry "$page")"
    # Its Close button, at the bottom right.
    xdotool mousemove $((X + WIDTH - 30)) $((Y + HEIGHT - 14)) click 1
    wait_until closed "$page" || fail "$1: Close did not close the page window"
}

# ---- No key opens a link --------------------------------------------------------------
open_about
xdotool key Return KP_Enter space
# The Close link lights up under the pointer once the program has read the keys pressed
# before: nothing may have opened by then.
link_area=40x17+$((AX + 577))+$((AY + 368))
import -window root "$work/before.png"
changed() {
    import -window root "$work/now.png"
    [ "$(compare -metric AE -extract "$link_area" "$work/before.png" "$work/now.png" null: 2>&1 |
        cut -d' ' -f1 | cut -d. -f1)" -gt 0 ]
}
xdotool mousemove $((AX + 597)) $((AY + 376))
wait_until changed || fail "the About box's Close link did not light up"
about_now || fail "a key closed the About box"
for name in 'The Crayvex - Help for parents' 'The Crayvex license agreement'; do
    none_shown "$name" || fail "a key opened '$name'"
done
[ "$(xdotool search --onlyvisible --name '^The Crayvex$' | wc -l)" = 2 ] ||
    fail "a key opened the home page"
none_shown Message || fail "a key opened something that failed"
import -window root "$shots-about-keys.png"
click_about 597 376
wait_until closed "$about" || fail "Close did not close the About box"
lock_whole "the About box closed"
echo "About box: Return, keypad Enter and Space open nothing"

# ---- Help, the licence and the home page ----------------------------------------------
open_about
click_about 470 376
see_page Help 'The Crayvex - Help for parents' "$shots-help.png"
wait_until closed "$about" || fail "Help: the About box stayed after its page"
lock_whole "the help page closed"
echo "Help: shown on top, the lock whole afterwards"

open_about
click_about 500 80
see_page Licence 'The Crayvex license agreement' "$shots-licence.png"
wait_until closed "$about" || fail "Licence: the About box stayed after its page"
lock_whole "the licence closed"
echo "Licence: shown on top, the lock whole afterwards"

open_about
click_about 530 376
wait_until closed "$about" || fail "Visit Website: the About box stayed"
see_page 'Visit Website' 'The Crayvex' "$shots-home.png"
lock_whole "the home page closed"
echo "Visit Website: the home page shown on top, the lock whole afterwards"

# ---- No browser ------------------------------------------------------------------------
# The browser started now writes its line; none may stand before it.
"$work/bin/x-www-browser" last
wait_until grep -q 'last' "$work/browser.log" || fail "the browser stand-in does not write"
[ "$(cat "$work/browser.log")" = "x-www-browser last" ] ||
    fail "the program started a browser: $(cat "$work/browser.log")"
! sanitizer_report "$work/crayvex.err" || fail "the program reported a fault"
echo "no browser was started"
exit 0
