# SPDX-License-Identifier: MIT
# Under a window manager (openbox) on a 1920x1080 screen the program fills
# the screen's height at 4:3 between black side bars, maps the pointer into
# its 800x600 space with no pointer showing, takes a click to the next
# preset, names its window, draws nothing while iconified, and ends with
# status 0 both on Escape and on the window manager's close, also while
# iconified.
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

# frames_drawn: the number of frames drawn so far, which framehook logs at
# each frame.
frames_drawn() { awk '$1 == "frame" { n = $2 } END { print n + 0 }' "$work/log"; }
# cpu_ticks: the processor time lumbox has used so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$lumbox_pid/stat"; }
# drawn_since N: lumbox has drawn frames past frame N.
drawn_since() { [ "$(frames_drawn)" -gt "$1" ]; }
idle_seconds=3
idle_frames=2    # at most, in idle_seconds; a frame may be in flight
idle_percent=5   # of one core, at most

start_xserver
start_openbox
start_hooked FRAMEHOOK_ACTIONS="1-999999999:count"
expect_named
# The camera starts outside the field, so the picture fills its frame only
# after a while.
wait_until 10 "the lit picture did not become $picture" fills "$picture"

# A point off the centre, then the screen's centre.
xdotool mousemove 600 270
wait_until 5 "the pointer did not reach lumbox as (200, 150)" motion_to 200 150
xdotool mousemove 960 540
wait_until 5 "the pointer did not reach lumbox as (400, 300)" motion_to 400 300
[ -x "${POINTER:-}" ] || fail "POINTER does not name the built pointer helper"
shown=$("$POINTER")
[ "$shown" -eq 0 ] || fail "the pointer shows over the picture ($shown pixels)"
xdotool click 1
wait_until 10 "preset 1 did not show after a click" shows preset1

# Iconified, it waits: no frames, next to no processor time. Shown again,
# it draws on.
xdotool windowminimize --sync "$window"
frames=$(frames_drawn) ticks=$(cpu_ticks)
sleep "$idle_seconds"
drawn=$(( $(frames_drawn) - frames ))
percent=$(( ($(cpu_ticks) - ticks) * 100 / $(getconf CLK_TCK) / idle_seconds ))
echo "iconified for $idle_seconds s: $drawn frames, $percent % of a core"
[ "$drawn" -le "$idle_frames" ] || fail "iconified, lumbox drew $drawn frames in $idle_seconds s"
[ "$percent" -le "$idle_percent" ] || fail "iconified, lumbox used $percent % of a core"
frames=$(frames_drawn)
xdotool windowactivate --sync "$window"
wait_until 10 "lumbox drawing again once shown" drawn_since "$frames"
escape_ends_lumbox

# Closed by the window manager, shown and iconified.
start_lumbox
expect_named
wmctrl -c lumbox || fail "the window manager found no window named lumbox to close"
expect_clean_exit
start_lumbox
expect_named
xdotool windowminimize --sync "$window"
wmctrl -c lumbox || fail "the window manager found no iconified window named lumbox to close"
expect_clean_exit
