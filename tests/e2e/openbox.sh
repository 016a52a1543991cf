# Under a window manager (openbox) on a 1920x1080 screen the program fills
# the screen's height at 4:3 between black side bars, maps the pointer into
# its 800x600 space, names its window, and ends with status 0 both on
# Escape and on the window manager's close.
. "$(dirname "$0")/xserver.sh"
[ -f "${FRAMEHOOK:-}" ] || fail "FRAMEHOOK does not name the built framehook.so"
need xprop convert

screen=1920x1080x24
picture=1440x1080+240+0  # 800x600 scaled to the screen's height, centred

# expect_named WINDOW: the window gets the name lumbox, in both the old and
# the new property; waits for it, as it is named once its mode is set.
expect_named() {
    local property
    for property in WM_NAME _NET_WM_NAME; do
        for _ in $(seq 50); do
            xprop -id "$1" "$property" | grep -q '= "lumbox"$' && continue 2
            sleep 0.1
        done
        fail "the window's $property is not lumbox: $(xprop -id "$1" "$property")"
    done
}

# expect_motion X Y: the last mouse motion lumbox polled was to (X, Y), in
# its own 800x600 coordinates; waits for it.
expect_motion() {
    for _ in $(seq 50); do
        [ "$(grep '^motion ' "$work/log" | tail -n1)" = "motion $1 $2" ] && return
        sleep 0.1
    done
    fail "the pointer reached lumbox as $(grep '^motion ' "$work/log" | tail -n1), not ($1, $2)"
}

start_xserver
start_openbox
start_lumbox LD_PRELOAD="$FRAMEHOOK" FRAMEHOOK_LOG="$work/log"
window=$(lumbox_window)
expect_named "$window"

# The camera starts outside the field, so the picture fills its frame only
# after a while: wait for a shot whose lit part is the whole frame.
for _ in $(seq 50); do
    shot start
    [ "$(lit_box start)" = "$picture" ] && break
    sleep 0.2
done
[ "$(lit_box start)" = "$picture" ] || fail "the lit picture is $(lit_box start), expected $picture"

# A point off the centre, then the screen's centre.
xdotool mousemove 600 270
expect_motion 200 150
xdotool mousemove 960 540
expect_motion 400 300

xdotool key Escape
expect_exit 0 10
expect_no_error_lines

start_lumbox
expect_named "$(lumbox_window)"
wmctrl -c lumbox || fail "the window manager found no window named lumbox to close"
expect_exit 0 10
expect_no_error_lines
