# Shared steps of the end-to-end tests: a private Xvfb server at exactly
# 800x600x24 (a larger screen would make SDL scale the picture), the real
# binary ($LUMBOX) on it, input through xdotool and screenshots through
# ImageMagick. Sourced by each test script.
set -euo pipefail

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; [ -s "${work:-/nonexistent}/err" ] && sed 's/^/  lumbox: /' "$work/err" >&2; exit 1; }

for tool in Xvfb xdotool convert import; do
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
# points DISPLAY at it. -noreset: by default the server resets whenever its
# last client leaves, and refuses whoever connects during the reset; with
# clients coming and going (xdotool, and SDL, which connects twice at
# start) that made lumbox find no display now and then.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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

# shot NAME: a screenshot of the whole screen as $work/NAME.png.
shot() { import -window root "$work/$1.png"; }

# count NAME EXPR: the number of pixels of shot NAME for which the ImageMagick
# -fx expression EXPR (channels r, g, b from 0 to 1) is true.
count() { convert "$work/$1.png" -fx "$2" -format '%[fx:round(mean*w*h)]' info:; }

# wait_for_picture NAME: takes shots as NAME until one is at least a tenth lit.
wait_for_picture() {
    lumbox_window >/dev/null
    for _ in $(seq 50); do
        shot "$1"
        [ "$(count "$1" 'r+g+b>0')" -gt 48000 ] && return
        sleep 0.2
    done
    fail "the display stayed (nearly) black"
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
