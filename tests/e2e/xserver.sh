# SPDX-License-Identifier: MIT
# Shared steps of the end-to-end tests, on top of ../harness.sh (skip, fail,
# need, start_harness, stop_at_exit): a private Xvfb server, at exactly
# 800x600x24 unless a window manager runs on it (without one, the picture on
# a larger screen is clipped), or a real Xorg with several monitors,
# optionally openbox or a nested weston on it,
# the real binary ($LUMBOX, with $FRAMEHOOK preloaded when asked), input
# through xdotool, screenshots through ImageMagick's import and pixel counts
# through ../pixels.mjs (in Node). A test sources it, calls
# start_harness, then:
#   wait_until SECONDS WHAT COMMAND...  runs COMMAND (its output discarded)
#                      every tenth of a second until it succeeds; after
#                      SECONDS fails with "WHAT within SECONDS s", and with
#                      $seen, which COMMAND may set to what it last saw. The
#                      one polling loop of the tests: every wait goes through it
#   start_xserver [Xvfb option...]  a server of $screen on a free display
#   start_xorg WxH...  a real Xorg on a free display, its dummy
#                      video driver showing one monitor of each WxH, side by
#                      side from the left, the first the primary one
#   start_openbox / start_weston    a desktop on it; stop_desktop ends it
#   start_lumbox [env argument...]  the binary in the background under env,
#                      its output in $work/out and $work/err, its id $lumbox_pid;
#                      run by $emulator when a test sets it (emulate ARCH,
#                      ../harness.sh, for a binary built for ARM)
#   start_hooked [env argument...]  the same with framehook preloaded,
#                      logging to $work/log; under $emulator, framehook
#                      (then built for the emulated machine) is preloaded
#                      into the emulated program alone
#   wait_for_window    $window becomes the id of lumbox's visible X window
#   shot NAME [BOX]    a screenshot of the whole screen, or of BOX
#                      (WxH+X+Y), as $work/NAME.ppm
#   count NAME EXPR... how many pixels of shot NAME fit each EXPR, one line;
#                      an EXPR is a condition on the channels r, g and b,
#                      each from 0 to 1, such as 'r!=b', 'g>r||g>b' or
#                      $notblack (see ../pixels.mjs)
#   signature NAME [AS]  shot NAME is at least a tenth lit and keeps the
#                      colour signature of AS (NAME unless given) in
#                      ../presets.txt; $seen says how far it does
#   shows NAME [BOX]   a shot as NAME (of BOX) keeps NAME's signature
#   fills BOX          a shot's lit pixels fill exactly BOX (WxH+X+Y)
#   fps LOG            frames per second from the first swap to the last,
#                      from a framehook log
#   expect_exit STATUS SECONDS  lumbox ends within SECONDS with STATUS
#   expect_clean_exit [SECONDS] lumbox, told to end, ends within SECONDS
#                      (10 unless given) with status 0 and printed none of
#                      its own error lines
#   escape_ends_lumbox Escape through xdotool, then expect_clean_exit
. "$(dirname "${BASH_SOURCE[0]}")/../harness.sh"

screen=800x600x24  # Xvfb's screen; a test with a window manager may set another
desktop_pid=       # openbox or weston, when a test starts one
notblack='r>0||g>0||b>0'
lit_pixels=48000   # a tenth of the display

# Software OpenGL (Mesa's llvmpipe), whatever the machine has.
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

wait_until() {
    local seconds=$1 what=$2 until=$(( SECONDS + $1 ))
    shift 2
    seen=
    until "$@" >/dev/null; do
        [ "$SECONDS" -lt "$until" ] || fail "$what within $seconds s${seen:+; last seen: $seen}"
        sleep 0.1
    done
}

# started NAME WHAT COMMAND...: the server NAME just started in the
# background ($!) ends at exit and is up once COMMAND succeeds (else fails
# with WHAT); its log, $work/NAME.log, keeps only what it says after that,
# not its notes on starting (display numbers found taken, a missing menu).
started() {
    stop_at_exit $!
    wait_until 10 "$2" "${@:3}"
    : >"$work/$1.log"
}

# -noreset: by default the server resets whenever its last client leaves,
# and refuses whoever connects during the reset; with clients coming and
# going (xdotool, and SDL, which connects twice at start) that made lumbox
# find no display now and then.
start_xserver() {
    need Xvfb xdotool import node
    rm -f "$work/display"  # a server started before wrote its number there
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "$@" 3>"$work/display" >>"$work/xvfb.log" 2>&1 &
    started xvfb "Xvfb gave no display number" grep -qs . "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# Xvfb has a single monitor, so several need a real Xorg, which runs without
# a console (Debian installs it without the setuid wrapper): its own
# configuration and log, no input devices but the core pointer and keyboard
# that xdotool drives, the console's VT left as it is. Each monitor is one
# of the dummy driver's outputs, given its mode through xrandr.
start_xorg() {
    need Xorg xrandr xdotool import node
    cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "any"
    HorizSync 5-1000
    VertRefresh 5-200
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "any"
    DefaultDepth 24
EndSection
EOF
    rm -f "$work/display"
    Xorg -displayfd 3 -config "$work/xorg.conf" -logfile "$work/xorg.log" -sharevts -novtswitch -nolisten tcp -noreset \
        3>"$work/display" >/dev/null 2>&1 &
    started xorg "Xorg gave no display number" grep -qs . "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
    local size w h output=0 placed=()
    for size in "$@"; do
        # A 60 Hz mode of that size with short blanking, made once (a second
        # time it is there already).
        w=${size%x*} h=${size#*x}
        xrandr --newmode "$size" "$(awk -v pixels=$(((w + 160) * (h + 23))) 'BEGIN { printf "%.2f", pixels * 60 / 1e6 }')" \
            "$w" $((w + 48)) $((w + 80)) $((w + 160)) "$h" $((h + 3)) $((h + 8)) $((h + 23)) +hsync -vsync 2>/dev/null || true
        xrandr --addmode "DUMMY$output" "$size"
        placed+=(--output "DUMMY$output" --mode "$size")
        [ "$output" -eq 0 ] || placed+=(--right-of "DUMMY$((output - 1))")
        output=$((output + 1))
    done
    xrandr "${placed[@]}" || fail "xrandr could not place the monitors $*"
    # Clients that read only what the server last found (Wine) see the
    # monitors once a client has asked the server to look again, as this
    # query does.
    [ "$(xrandr --listmonitors | head -n1)" = "Monitors: $#" ] || fail "Xorg does not show $# monitors"
}

start_openbox() {
    need openbox wmctrl
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    desktop_pid=$!
    started openbox "openbox did not take the screen" sh -c 'wmctrl -m 2>/dev/null'
}

# weston's x11 backend draws with pixman, its output refreshes at 60 Hz, and
# lumbox's SDL reaches it through Wayland. The socket lives in a private
# runtime folder, so servers of tests side by side never meet. The desktop
# is black and has no panel, so whatever is lit on it is lumbox's.
start_weston() {
    need weston
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    printf '[shell]\nbackground-color=0xff000000\npanel-position=none\n' >"$work/weston.ini"
    weston --config="$work/weston.ini" --socket=lumbox-test --backend=x11-backend.so --use-pixman --idle-time=0 \
        --width="${screen%%x*}" --height="$(echo "$screen" | cut -dx -f2)" >>"$work/weston.log" 2>&1 &
    desktop_pid=$!
    started weston "weston opened no socket" test -S "$XDG_RUNTIME_DIR/lumbox-test"
    # No session bus: SDL would fork to start one, and the fork's exit
    # would write into the preloaded tools' logs.
    export WAYLAND_DISPLAY=lumbox-test SDL_VIDEODRIVER=wayland DBUS_SESSION_BUS_ADDRESS=unix:path=$work/nobus
}

# lumbox's SDL goes back to X.
stop_desktop() {
    if [ -n "$desktop_pid" ]; then
        kill "$desktop_pid" 2>/dev/null || true
        wait "$desktop_pid" 2>/dev/null || true
    fi
    desktop_pid=
    unset WAYLAND_DISPLAY SDL_VIDEODRIVER
}

start_lumbox() {
    [ -x "${LUMBOX:-}" ] || fail "LUMBOX does not name the built binary"
    env "$@" "${emulator[@]}" "$LUMBOX" >"$work/out" 2>"$work/err" &
    lumbox_pid=$!
}

# qemu's user-mode emulator hands its environment on to the program it
# runs, but a preload there would be the build machine's loader's as well,
# which fails on an ARM library wherever it starts a program; qemu's -E
# sets it for the emulated program alone.
start_hooked() {
    [ -f "${FRAMEHOOK:-}" ] || fail "FRAMEHOOK does not name the built framehook.so"
    if [ ${#emulator[@]} -eq 0 ]; then
        start_lumbox LD_PRELOAD="$FRAMEHOOK" FRAMEHOOK_LOG="$work/log" "$@"
    else
        local emulated=("${emulator[@]}")
        emulator+=(-E "LD_PRELOAD=$FRAMEHOOK")
        start_lumbox FRAMEHOOK_LOG="$work/log" "$@"
        emulator=("${emulated[@]}")
    fi
}

# Under weston lumbox has no X window: there this only checks that it runs.
window_shown() {
    kill -0 "$lumbox_pid" 2>/dev/null || fail "lumbox ended before showing its display"
    [ -n "${WAYLAND_DISPLAY:-}" ] && return
    window=$(xdotool search --onlyvisible --pid "$lumbox_pid" | head -n1)
    [ -n "$window" ]
}
wait_for_window() { wait_until 30 "lumbox showed no window" window_shown; }

shot() { import -window root ${2:+-crop "$2"} -depth 8 "ppm:$work/$1.ppm" || fail "no screenshot of $DISPLAY"; }

pixels=$(dirname "${BASH_SOURCE[0]}")/../pixels.mjs
count() { node "$pixels" "$work/$1.ppm" "${@:2}"; }

signatures=$(dirname "${BASH_SOURCE[0]}")/../presets.txt
signature() {
    local never sometimes counts
    read -r never sometimes < <(awk -v name="${2:-$1}" '$1 == name { print $2, $3; exit }' "$signatures")
    read -ra counts < <(count "$1" "$never" "$sometimes" "$notblack")
    seen="${counts[0]} pixels fit '$never' (none should), ${counts[1]} fit '$sometimes' (some should), ${counts[2]} are lit"
    [ "${counts[0]}" -eq 0 ] && [ "${counts[1]}" -gt 0 ] && [ "${counts[2]}" -gt "$lit_pixels" ]
}
shows() { shot "$1" "${2:-}" && signature "$1"; }

# The box through ImageMagick; its warning about an all-black shot is dropped.
fills() {
    shot box
    seen=$(convert "$work/box.ppm" -bordercolor black -border 1 -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '{ printf "%dx%d+%d+%d\n", $1, $2, $3 - 1, $4 - 1 }')
    [ "$seen" = "$1" ]
}

fps() { awk '$1 == "frames" { n = $2 } $1 == "seconds" { s = $2 } END { if (s > 0) printf "%.1f\n", (n - 1) / s; else print 0 }' "$1"; }

ended() { ! kill -0 "$lumbox_pid" 2>/dev/null; }
expect_exit() {
    local status=0
    wait_until "$2" "lumbox did not end" ended
    wait "$lumbox_pid" || status=$?
    lumbox_pid=
    [ "$status" -eq "$1" ] || fail "lumbox ended with status $status, expected $1"
}

# SDL and the libraries under it may print notes of their own, such as
# "Couldn't open plugin directory" under Wayland.
expect_clean_exit() {
    expect_exit 0 "${1:-10}"
    if grep -E "^(lumbox: |Couldn't (initialize SDL|set GL mode): )" "$work/err"; then
        fail "lumbox reported errors where nothing failed"
    fi
}
escape_ends_lumbox() {
    xdotool key Escape
    expect_clean_exit
}
