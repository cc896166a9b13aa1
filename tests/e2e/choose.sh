# Sourced by the real-window scripts: choosing a drawing in the picture chooser as a
# child does, by clicking its thumbnail.
. "$(dirname "$0")/wait.sh"

# choose_cell COLUMN ROW: waits for the chooser to show and stand still, then clicks the
# thumbnail in that column and row of the sheet's first book (cells 100 pixels square,
# 105 apart, the sheet 14 pixels in from the window's left edge and 9 from its top), and
# waits for the chooser to close.
choose_cell() {
    local win
    win=$(steady_window Open) || { echo "the picture chooser did not open"; return 1; }
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + 14 + 50 + 105 * $1)) $((Y + 9 + 50 + 105 * $2)) click 1
    wait_until closed "$win" || { echo "the click chose nothing"; return 1; }
}

# fill_options X Y HINT [SHOT]: in the options window whose inside stands at X,Y: no sounds,
# the password "tulip" with that hint, a screenshot when asked, and Continue.
fill_options() {
    xdotool mousemove $(($1 + 14)) $(($2 + 16)) click 1 # no sounds
    xdotool mousemove $(($1 + 167)) $(($2 + 227)) click 1
    xdotool type tulip
    xdotool mousemove $(($1 + 168)) $(($2 + 283)) click 1
    xdotool type "$3"
    [ -z "${4:-}" ] || import -window root "$4"
    xdotool mousemove $(($1 + 300)) $(($2 + 408)) click 1
}
