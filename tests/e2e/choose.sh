# Sourced by the real-window scripts: choosing a drawing in the picture chooser as a
# child does, by clicking its thumbnail.

# choose_cell COLUMN ROW: waits up to 10 s for the chooser, then clicks the thumbnail in
# that column and row of the sheet's first book (cells 100 pixels square, 105 apart, the
# sheet 14 pixels in from the window's left edge and 9 from its top).
choose_cell() {
    local win="" i=0
    while [ -z "$win" ]; do
        win=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n 1)
        i=$((i + 1))
        [ $i -gt 100 ] && { echo "the picture chooser did not open"; return 1; }
        [ -z "$win" ] && sleep 0.1
    done
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + 14 + 50 + 105 * $1)) $((Y + 9 + 50 + 105 * $2)) click 1
    sleep 1
}
