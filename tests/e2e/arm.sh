# SPDX-License-Identifier: MIT
# A build for ARM (the arm64 or armhf preset, in $CROSS_BUILD; scripts/
# release.sh builds both) run by qemu's user-mode emulator on a private
# Xvfb: its start field is the picture the build machine's binary ($LUMBOX)
# draws at the same frame, a real click brings preset 1, and Escape ends it
# with status 0. Under qemu arm64 draws a few frames a second and armhf
# about one, so pictures are taken at frame numbers by the frame hook built
# for ARM, never after a time.
#   arm.sh arm64|armhf
. "$(dirname "$0")/xserver.sh"
start_harness

# Per architecture: the driver, and how many pixels of the start field may
# differ from the build machine's. llvmpipe on arm64 rounds a few edge
# pixels otherwise (about 150); on armhf it resolves some overlapping faces
# differently, while softpipe matches amd64 exactly.
case "${1:-}" in
arm64) driver=llvmpipe differ_at_most=480 ;;
armhf) driver=softpipe differ_at_most=0 ;;
*) fail "usage: arm.sh arm64|armhf" ;;
esac
arm=${CROSS_BUILD:-}
[ -x "$arm/viewer/lumbox" ] && [ -f "$arm/tools/framehook.so" ] ||
    skip "no $1 build with its frame hook in '$arm' (scripts/release.sh builds it)"
emulator_name=${qemu[$1]}
need compare "$emulator_name"

# The click comes once the start field's frame is taken; it is polled at the
# end of a frame, and preset 1 is drawn from the next, so the frames between
# leave it a second or more even at arm64's pace.
start_frame=3
preset_frame=9
export GALLIUM_DRIVER=$driver
start_xserver
start_hooked FRAMEHOOK_ACTIONS="1:motion:400,300 $start_frame:shot:$work/native.ppm $start_frame:quit"
expect_clean_exit

# The multiarch libraries of the ARM packages are under the build machine's
# root, where the emulator finds the ARM loader too.
emulate "$1"
LUMBOX=$arm/viewer/lumbox FRAMEHOOK=$arm/tools/framehook.so start_hooked FRAMEHOOK_ACTIONS="1:motion:400,300 \
$start_frame:shot:$work/start.ppm $start_frame:count $preset_frame:shot:$work/preset1.ppm $preset_frame:count"
# at_frame N: the frame hook has logged frame N (after its picture).
at_frame() {
    kill -0 "$lumbox_pid" 2>/dev/null || fail "lumbox ended before frame $1"
    grep -qx "frame $1" "$work/log"
}
wait_until 120 "frame $start_frame under $emulator_name" at_frame "$start_frame"
xdotool click 1
wait_until 120 "frame $preset_frame under $emulator_name" at_frame "$preset_frame"
xdotool key Escape
expect_clean_exit 30

signature start || fail "the start field under $emulator_name is not as its signature says: $seen"
differ=$(compare -metric AE "$work/native.ppm" "$work/start.ppm" null: 2>&1) || true
[ "$differ" -le "$differ_at_most" ] 2>/dev/null ||
    fail "the start field under $emulator_name ($driver) differs from the build machine's in $differ pixels (at most $differ_at_most)"
signature preset1 || fail "frame $preset_frame under $emulator_name, after a click, is not preset 1: $seen"
echo "ok: $1 under $emulator_name ($driver): the start field ($differ pixels from the build machine's), preset 1 after a click, status 0 on Escape"
