# SPDX-License-Identifier: MIT
# Without a display, or on a display without OpenGL, the program says why
# and ends with status 1 instead of running unseen or hanging. A headless
# run asked for by name still runs, and ends cleanly when told to.
. "$(dirname "$0")/xserver.sh"
start_harness

# No display at all: SDL would fall back to its invisible driver.
start_lumbox -u DISPLAY
expect_exit 1 20
grep -q "^Couldn't initialize SDL: ." "$work/err" || fail "without a display: no SDL message"

# The invisible driver asked for by name: runs until told to stop.
start_lumbox SDL_VIDEODRIVER=offscreen
sleep 2
kill -0 "$lumbox_pid" 2>/dev/null || fail "a headless run asked for by name did not run"
kill -TERM "$lumbox_pid"
expect_clean_exit

# An X server without GLX.
start_xserver -extension GLX
start_lumbox
expect_exit 1 30
grep -q "^Couldn't set GL mode: ." "$work/err" || fail "without GLX: no GL mode message"
