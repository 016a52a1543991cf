# Without a display, or on a display without OpenGL, the program says why
# and ends with status 1 instead of running unseen or hanging. A headless
# run asked for by name still runs, and ends cleanly when told to.
. "$(dirname "$0")/xserver.sh"

# run_to_end SECONDS [env argument ...]: runs lumbox in the foreground under
# env with those arguments, returns its status.
run_to_end() {
    local status=0
    timeout "$1" env "${@:2}" "$LUMBOX" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -ne 124 ] || fail "lumbox hung"
    return "$status"
}

# No display at all: SDL would fall back to its invisible driver.
status=0
run_to_end 20 -u DISPLAY || status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, expected 1"
grep -q "^Couldn't initialize SDL: ." "$work/err" || fail "without a display: no SDL message"

# The invisible driver asked for by name: runs until told to stop.
SDL_VIDEODRIVER=offscreen "$LUMBOX" >"$work/out" 2>"$work/err" &
lumbox_pid=$!
sleep 2
kill -0 "$lumbox_pid" 2>/dev/null || fail "a headless run asked for by name did not run"
kill -TERM "$lumbox_pid"
expect_exit 0 10
expect_no_error_lines

# An X server without GLX.
start_xserver -extension GLX
status=0
run_to_end 30 || status=$?
[ "$status" -eq 1 ] || fail "without GLX: status $status, expected 1"
grep -q "^Couldn't set GL mode: ." "$work/err" || fail "without GLX: no GL mode message"
