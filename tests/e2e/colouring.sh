# Sourced by the real-window tests that colour with the real program, after they have
# set prog (the program folder), areas (the canvas_areas helper) and resources (the
# resources' build folder), and defined fail. Gives the first drawing of the program
# folder (or the one in $drawing), where its colouring is stored, where it lies on the
# screen, and helpers to colour it and to answer the program's windows.
drawing=${drawing:-$(find "$prog/books" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' \) |
    LC_ALL=C sort -f | head -n 1)}
[ -n "$drawing" ] || fail "no drawing in the program folder"
book=$(basename "$(dirname "$drawing")")
stored="$prog/colored pictures/$book/$(basename "$drawing").jpg"
read -r w h < <(identify -format '%w %h\n' "$drawing" | head -n 1)
read -r ax ay ar < <(QT_QPA_PLATFORM=offscreen "$areas" points "$drawing" | head -n 1)
d=$((ar / 2))
width_of() { identify -format "%w" "$(find "$resources" -path "*/$1.png" | head -n 1)"; }
height_of() { identify -format "%h" "$(find "$resources" -path "*/$1.png" | head -n 1)"; }
x=0
for id in 102 146 110 130; do x=$((x + $(width_of "bitmap/$id"))); done
crayon_x=$((x + $(width_of bitmap/108) / 2))
left=$((1024 / 2 - w / 2))
top=$((100 + (768 - 100) / 2 - h / 2))
# The function bar from the left: quit, save, print, About, options.
bar_y=$(($(height_of design/pFunc0) / 2))
bar_x=()
x=0
for i in 0 1 2 3 4; do
    fw=$(width_of "design/pFunc$i")
    bar_x+=($((x + fw / 2)))
    x=$((x + fw))
done

pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# dark FILE: the stored colouring is dark at the area's point, where the drawing is white.
colouring_in() {
    [ -f "$1" ] || return 1
    read -r r g b < <(pixel "$1" "$ax" "$ay")
    [ $((r + g + b)) -lt 200 ]
}
# window_of NAME: a shown window of that name, standing still (windows come and go
# meanwhile).
window_of() {
    local found
    found=$(steady_window "$1") && echo "$found"
}
active_now() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
colour() {
    xdotool mousemove "$crayon_x" 50 click 1
    sleep 0.3
    xdotool mousemove $((left + ax - d)) $((top + ay)) mousedown 1
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((left + ax - d + 2 * d * i / 8)) $((top + ay))
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.3
}
# gone: the program has ended.
gone() { wait_until ended "$pid"; }
# click_in WINDOW X Y: a click at a point of the window.
click_in() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# The confirmation's OK button: 4440, 1800 twips.
confirm_ok() { click_in "$1" $((4440 / 15 + $(width_of bitmap/115) / 2)) $((1800 / 15 + $(height_of bitmap/115) / 2)); }
# grown WINDOW GEOMETRY: the window's place or size is no longer the one given.
grown() { [ "$(xdotool getwindowgeometry "$1")" != "$2" ]; }
# unfold MESSAGE: OK on the folded confirmation, once its password row shows.
unfold() {
    local folded
    folded=$(xdotool getwindowgeometry "$1")
    confirm_ok "$1"
    wait_until grown "$1" "$folded" && wait_until placed "$1"
}
# run_program: starts the program of $prog, its errors in $work/crayvex.err, through the
# command in the array as_user when that is set; its process in $pid, added to $pids.
run_program() {
    (cd "$prog" && exec ${as_user[@]+"${as_user[@]}"} ./crayvex) 2>>"$work/crayvex.err" &
    pid=$!
    pids="$pids $pid"
}
# end_program: ends the program from outside, as a session does, and waits for its end.
end_program() {
    kill -TERM "$pid"
    gone || fail "the program did not end on SIGTERM"
    wait "$pid" 2>/dev/null
}
# shown_coloured SHOT: the canvas in the screenshot holds colour at the area's point.
shown_coloured() {
    read -r r g b < <(pixel "$1" $((left + ax)) $((top + ay)))
    [ $((r + g + b)) -lt 200 ]
}
# shows_coloured SHOT: a screenshot taken now shows the colouring.
shows_coloured() { import -window root "$1" && shown_coloured "$1"; }
