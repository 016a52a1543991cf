# Under a Wayland compositor (weston, whose output refreshes at 60 Hz) the
# program starts, draws, and by default swaps at most once per refresh,
# while SDL12COMPAT_SYNC_TO_VBLANK=0 lets it run free; Escape ends it with
# status 0. A busy machine can only slow it down, so the rate is checked
# only against the refresh; the free rate is printed for comparison.
. "$(dirname "$0")/xserver.sh"
[ -f "${FRAMEHOOK:-}" ] || fail "FRAMEHOOK does not name the built framehook.so"

refresh_hz=60
max_fps=63  # the refresh and a little timing noise
free_frames=300

# swap_control: the swap interval lumbox ran with.
swap_control() { awk '$1 == "swap_control" { print $2 }' "$work/frames"; }

start_xserver
start_weston
probes=(LD_PRELOAD="$FRAMEHOOK" FRAMEHOOK_LOG="$work/frames")

start_lumbox "${probes[@]}"
wait_for_picture start
[ "$(count start 'r!=b')" -eq 0 ] || fail "the screen shows more than the start field's grey and green"
[ "$(swap_control)" = 1 ] || fail "swaps run with interval '$(swap_control)', not 1 (synchronised)"
sleep 2
xdotool mousemove 400 300 key Escape
expect_exit 0 10
expect_no_error_lines
paced=$(fps "$work/frames")

start_lumbox "${probes[@]}" SDL12COMPAT_SYNC_TO_VBLANK=0 FRAMEHOOK_ACTIONS="$free_frames:quit"
expect_exit 0 60
[ "$(swap_control)" = 0 ] || fail "with SDL12COMPAT_SYNC_TO_VBLANK=0 the swap interval is '$(swap_control)', not 0"
echo "frames per second under weston ($refresh_hz Hz): $paced by default, $(fps "$work/frames") with SDL12COMPAT_SYNC_TO_VBLANK=0"
awk -v fps="$paced" -v max="$max_fps" 'BEGIN { exit !(fps <= max) }' ||
    fail "by default lumbox drew $paced frames per second, more than the output's $refresh_hz Hz"
