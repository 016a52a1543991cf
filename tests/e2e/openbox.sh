# Under a window manager (openbox) on a 1920x1080 screen the program fills
# the screen's height at 4:3 between black side bars, maps the pointer into
# its 800x600 space, names its window, and ends with status 0 both on
# Escape and on the window manager's close.
. "$(dirname "$0")/xserver.sh"
start_harness
need xprop convert

screen=1920x1080x24
picture=1440x1080+240+0  # 800x600 scaled to the screen's height, centred

# named PROPERTY: lumbox's window has the name lumbox in that property.
named() {
    seen=$(xprop -id "$window" "$1")
    [[ "$seen" == *'= "lumbox"' ]]
}
# expect_named: the window gets the name lumbox, in both the old and the
# new property, once its mode is set.
expect_named() {
    wait_for_window
    wait_until 5 "the window's WM_NAME is not lumbox" named WM_NAME
    wait_until 5 "the window's _NET_WM_NAME is not lumbox" named _NET_WM_NAME
}

# motion_to X Y: the last mouse motion lumbox polled was to (X, Y), in its
# own 800x600 coordinates.
motion_to() {
    seen=$(grep '^motion ' "$work/log" | tail -n1)
    [ "$seen" = "motion $1 $2" ]
}

# filled: the lit part of a shot is the whole picture's frame.
filled() {
    shot start
    seen=$(lit_box start)
    [ "$seen" = "$picture" ]
}

start_xserver
start_openbox
start_hooked
expect_named
# The camera starts outside the field, so the picture fills its frame only
# after a while.
wait_until 10 "the lit picture did not become $picture" filled

# A point off the centre, then the screen's centre.
xdotool mousemove 600 270
wait_until 5 "the pointer did not reach lumbox as (200, 150)" motion_to 200 150
xdotool mousemove 960 540
wait_until 5 "the pointer did not reach lumbox as (400, 300)" motion_to 400 300
escape_ends_lumbox

start_lumbox
expect_named
wmctrl -c lumbox || fail "the window manager found no window named lumbox to close"
expect_clean_exit
