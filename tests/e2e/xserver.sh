# Shared steps of the end-to-end tests: a private Xvfb server at exactly
# 800x600x24 (a larger screen would make SDL scale the picture), the real
# binary ($LUMBOX) on it, input through xdotool, screenshots and pixel
# counts through the pixels helper ($PIXELS). Sourced by each test script.
set -euo pipefail

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; [ -s "${work:-/nonexistent}/err" ] && sed 's/^/  lumbox: /' "$work/err" >&2; exit 1; }

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh --test installs it)"
done
[ -x "${LUMBOX:-}" ] || fail "LUMBOX does not name the built binary"

work=$(mktemp -d)
xvfb_pid=
lumbox_pid=
# Under set -e a failed kill (of a program that already ended) would end
# the clean-up early and leave the server running, hence the || true.
cleanup() {
    if [ -n "$lumbox_pid" ]; then kill -9 "$lumbox_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Software OpenGL (Mesa's llvmpipe), whatever the machine has.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# start_xserver [Xvfb option ...]: starts a server on a free display and
# points DISPLAY at it.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        grep -q . "$work/display" 2>/dev/null && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    grep -q . "$work/display" || fail "Xvfb gave no display number"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# start_lumbox: runs the binary in the background, its output in $work.
start_lumbox() {
    "$LUMBOX" >"$work/out" 2>"$work/err" &
    lumbox_pid=$!
}

# lumbox_window: the id of the program's visible window, waiting for it.
lumbox_window() {
    local id
    for _ in $(seq 300); do
        kill -0 "$lumbox_pid" 2>/dev/null || fail "lumbox ended before showing its display"
        id=$(xdotool search --onlyvisible --pid "$lumbox_pid" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "lumbox showed no window within 30 s"
}

# shot NAME: a screenshot of the whole screen as $work/NAME.ppm.
shot() {
    [ -x "${PIXELS:-}" ] || fail "PIXELS does not name the built pixels helper"
    "$PIXELS" grab "$work/$1.ppm"
}

# count NAME EXPR: the number of pixels of shot NAME that fit EXPR, a
# condition on the channels r, g and b, each from 0 to 1, such as 'r!=b',
# 'g>r||g>b' or 'r+g+b>0' (see pixels.c).
count() { "$PIXELS" count "$work/$1.ppm" "$2"; }

# wait_for_picture NAME: takes shots as NAME until one is at least a tenth
# lit; fails after picture_wait seconds.
lit_pixels=48000
picture_wait=20
wait_for_picture() {
    lumbox_window >/dev/null
    local until=$(( SECONDS + picture_wait )) lit
    while :; do
        shot "$1"
        lit=$(count "$1" 'r+g+b>0')
        [ "$lit" -gt "$lit_pixels" ] && return
        [ "$SECONDS" -lt "$until" ] ||
            fail "the display stayed (nearly) black for $picture_wait s: $lit pixels lit, fewer than $lit_pixels"
        sleep 0.2
    done
}

# expect_exit STATUS SECONDS: waits for lumbox to end and checks its status.
expect_exit() {
    local status=0
    for _ in $(seq $(( $2 * 10 ))); do
        kill -0 "$lumbox_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$lumbox_pid" 2>/dev/null && fail "lumbox still runs after $2 s"
    wait "$lumbox_pid" || status=$?
    lumbox_pid=
    [ "$status" -eq "$1" ] || fail "lumbox ended with status $status, expected $1"
}

# expect_no_error_lines: the program printed none of its own error lines
# (SDL may print notes of its own).
expect_no_error_lines() {
    if grep -E "^(lumbox: |Couldn't )" "$work/err"; then
        fail "lumbox reported errors where nothing failed"
    fi
}
