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
