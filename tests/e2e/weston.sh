# SPDX-License-Identifier: MIT
# Under a Wayland compositor (weston, whose output refreshes at 60 Hz) the
# program starts, draws, and by default swaps at most once per refresh,
# while SDL12COMPAT_SYNC_TO_VBLANK=0 lets it run free; Escape ends it with
# status 0. A busy machine can only slow it down, so the rate is checked
# only against the refresh; the free rate is printed for comparison.
. "$(dirname "$0")/xserver.sh"
start_harness

refresh_hz=60
max_fps=63  # the refresh and a little timing noise
free_frames=300

# swap_control: the swap interval lumbox ran with.
swap_control() { awk '$1 == "swap_control" { print $2 }' "$work/log"; }

start_xserver
start_weston
start_hooked
wait_for_window
wait_until 20 "the start field did not show" shows start
[ "$(swap_control)" = 1 ] || fail "swaps run with interval '$(swap_control)', not 1 (synchronised)"
sleep 2
xdotool mousemove 400 300
escape_ends_lumbox
paced=$(fps "$work/log")

start_hooked SDL12COMPAT_SYNC_TO_VBLANK=0 FRAMEHOOK_ACTIONS="$free_frames:quit"
expect_clean_exit 60
[ "$(swap_control)" = 0 ] || fail "with SDL12COMPAT_SYNC_TO_VBLANK=0 the swap interval is '$(swap_control)', not 0"
echo "frames per second under weston ($refresh_hz Hz): $paced by default, $(fps "$work/log") with SDL12COMPAT_SYNC_TO_VBLANK=0"
awk -v fps="$paced" -v max="$max_fps" 'BEGIN { exit !(fps <= max) }' ||
    fail "by default lumbox drew $paced frames per second, more than the output's $refresh_hz Hz"
