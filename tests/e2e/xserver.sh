# Shared steps of the end-to-end tests: a private Xvfb server, at exactly
# 800x600x24 unless a window manager runs on it (without one, the picture on
# a larger screen is clipped), optionally openbox or a nested weston on it,
# the real binary ($LUMBOX), input through xdotool, screenshots and pixel
# counts through the pixels helper ($PIXELS). Sourced by each test script.
set -euo pipefail

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; [ -s "${work:-/nonexistent}/err" ] && sed 's/^/  lumbox: /' "$work/err" >&2; exit 1; }
# need TOOL...: skips the test unless every tool is installed.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh --test installs it)"
    done
}

need Xvfb xdotool
[ -x "${LUMBOX:-}" ] || fail "LUMBOX does not name the built binary"

work=$(mktemp -d)
screen=800x600x24  # Xvfb's screen; a test with a window manager may set another
xvfb_pid=
desktop_pid=       # openbox or weston, when a test starts one
lumbox_pid=
# Under set -e a failed kill (of a program that already ended) would end
# the clean-up early and leave the server running, hence the || true.
cleanup() {
    if [ -n "$lumbox_pid" ]; then kill -9 "$lumbox_pid" 2>/dev/null || true; fi
    stop_desktop
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

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second
# until it succeeds; after SECONDS fails with "WHAT within SECONDS s". The
# one polling loop of the tests: every wait goes through it.
wait_until() {
    local seconds=$1 what=$2 until=$(( SECONDS + $1 ))
    shift 2
    until "$@"; do
        [ "$SECONDS" -lt "$until" ] || fail "$what within $seconds s"
        sleep 0.1
    done
}

# start_xserver [Xvfb option ...]: starts a server of $screen on a free
# display and points DISPLAY at it. -noreset: by default the server resets
# whenever its last client leaves, and refuses whoever connects during the
# reset; with clients coming and going (xdotool, and SDL, which connects
# twice at start) that made lumbox find no display now and then.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "$@" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        grep -q . "$work/display" 2>/dev/null && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    grep -q . "$work/display" || fail "Xvfb gave no display number"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# start_openbox: runs openbox on the X server and waits until it manages
# windows.
start_openbox() {
    need openbox wmctrl
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    desktop_pid=$!
    for _ in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && return
        kill -0 "$desktop_pid" 2>/dev/null || fail "openbox did not start: $(cat "$work/openbox.log")"
        sleep 0.1
    done
    fail "openbox did not take the screen within 10 s"
}

# start_weston: runs weston in a window on the X server (its x11 backend,
# drawing with pixman; its output refreshes at 60 Hz) and points lumbox's
# SDL at it through Wayland. The socket lives in a private runtime folder,
# so servers of tests side by side never meet. The desktop is black and has
# no panel, so whatever is lit on it is lumbox's.
start_weston() {
    need weston
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    printf '[shell]\nbackground-color=0xff000000\npanel-position=none\n' >"$work/weston.ini"
    weston --config="$work/weston.ini" --socket=lumbox-test --backend=x11-backend.so --use-pixman --idle-time=0 \
        --width="${screen%%x*}" --height="$(echo "$screen" | cut -dx -f2)" >"$work/weston.log" 2>&1 &
    desktop_pid=$!
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/lumbox-test" ] && break
        kill -0 "$desktop_pid" 2>/dev/null || fail "weston did not start: $(cat "$work/weston.log")"
        sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/lumbox-test" ] || fail "weston opened no socket within 10 s"
    # No session bus: SDL would fork to start one, and the fork's exit
    # would write into the preloaded tools' logs.
    export WAYLAND_DISPLAY=lumbox-test SDL_VIDEODRIVER=wayland DBUS_SESSION_BUS_ADDRESS=unix:path=$work/nobus
}

# stop_desktop: ends openbox or weston, and lumbox's SDL goes back to X.
stop_desktop() {
    if [ -n "$desktop_pid" ]; then
        kill "$desktop_pid" 2>/dev/null || true
        wait "$desktop_pid" 2>/dev/null || true
    fi
    desktop_pid=
    unset WAYLAND_DISPLAY SDL_VIDEODRIVER
}

# start_lumbox [env argument ...]: runs the binary in the background under
# env with those arguments, its output in $work.
start_lumbox() {
    env "$@" "$LUMBOX" >"$work/out" 2>"$work/err" &
    lumbox_pid=$!
}

# lumbox_window: the id of the program's visible window, waiting for it.
# Under weston it has no X window: this only checks that it still runs.
lumbox_window() {
    local id
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        kill -0 "$lumbox_pid" 2>/dev/null || fail "lumbox ended before showing its display"
        return
    fi
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
# 'g>r||g>b' or $notblack (any channel above 0; see pixels.c).
count() { "$PIXELS" count "$work/$1.ppm" "$2"; }
notblack='r>0||g>0||b>0'

# wait_for_picture NAME: takes shots as NAME until one is at least a tenth
# lit; fails after picture_wait seconds.
lit_pixels=48000
picture_wait=20
wait_for_picture() {
    lumbox_window >/dev/null
    local until=$(( SECONDS + picture_wait )) lit
    while :; do
        shot "$1"
        lit=$(count "$1" "$notblack")
        [ "$lit" -gt "$lit_pixels" ] && return
        [ "$SECONDS" -lt "$until" ] ||
            fail "the display stayed (nearly) black for $picture_wait s: $lit pixels lit, fewer than $lit_pixels"
        sleep 0.2
    done
}

# fps LOG: frames per second from the first swap to the last, from the log
# of a run with framehook preloaded.
fps() { awk '$1 == "frames" { n = $2 } $1 == "seconds" { s = $2 } END { if (s > 0) printf "%.1f\n", (n - 1) / s; else print 0 }' "$1"; }

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
# (SDL and the libraries under it may print notes of their own, such as
# "Couldn't open plugin directory" under Wayland).
expect_no_error_lines() {
    if grep -E "^(lumbox: |Couldn't (initialize SDL|set GL mode): )" "$work/err"; then
        fail "lumbox reported errors where nothing failed"
    fi
}

# lit_box NAME: the bounding box of the lit (not black) pixels of shot NAME,
# as WIDTHxHEIGHT+X+Y, through ImageMagick (its warning about an all-black
# shot is dropped).
lit_box() { convert "$work/$1.ppm" -bordercolor black -border 1 -format '%@' info: 2>/dev/null | awk -F'[x+]' '{ printf "%dx%d+%d+%d\n", $1, $2, $3 - 1, $4 - 1 }'; }

# expect_clean_exit: lumbox, told to end, ends within 10 s with status 0 and
# without any of its own error lines.
expect_clean_exit() {
    expect_exit 0 10
    expect_no_error_lines
}
