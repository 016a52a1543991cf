# SPDX-License-Identifier: MIT
# Soak: the real binary runs thousands of frames with input in every frame,
# both made-up SDL events of every kind (framehook's storm, with bursts that
# fill SDL's event queue) and real X input from xdotool (pointer sweeps over
# the whole display and against its edges, clicks, key presses and
# releases). It keeps running, its resident memory stays flat from an early
# frame to a late one, and it ends on Escape with status 0.
. "$(dirname "$0")/xserver.sh"
start_harness

frames=${SOAK_FRAMES:-3000}  # frames with input; about half a minute at llvmpipe speed
early=$(( frames / 5 ))      # resident memory is compared from here ...
late=$frames                 # ... to here
rss_tolerance_kb=1024        # growth allowed from early to late (allocator and driver caches)
# A sanitizer build keeps freed memory in quarantine, so its resident memory
# grows by design: there SOAK_MEMORY=unchecked leaves the comparison out.

# One made-up event every frame is too tame: several, and every 250th frame
# a burst that (with the X input) nearly fills SDL's 128-event queue.
actions="1-$frames:storm:6 $early:rss $late:rss"
for (( f = 250; f < frames; f += 250 )); do actions+=" $f:storm:100"; done

# pound: real X input until killed; each xdotool call sends a few hundred
# events at once.
pound() {
    local round=0 args
    while :; do
        args=()
        for (( i = 0; i < 60; i++ )); do
            args+=(mousemove $(( (round * 7 + i * 37) % 900 )) $(( (round * 11 + i * 53) % 700 )))
        done
        args+=(mousemove 0 0 mousemove 799 599 mousemove 2000 2000 click 1 click 3 click 2
               key space keydown a keyup a key Return key F1 keyup Escape)
        xdotool "${args[@]}" 2>/dev/null || true
        round=$(( round + 1 ))
    done
}

# reached FRAME: framehook logged the memory at FRAME; fails at once if
# lumbox has ended.
reached() {
    kill -0 "$lumbox_pid" 2>/dev/null || fail "lumbox ended under input, before frame $1"
    grep -qs "^rss $1 " "$work/log"
}

start_xserver
start_hooked FRAMEHOOK_ACTIONS="$actions"
wait_for_window
pound &
pound_pid=$!
stop_at_exit "$pound_pid"
wait_until 180 "lumbox did not reach frame $late" reached "$late"
kill "$pound_pid"
wait "$pound_pid" || true
escape_ends_lumbox
if grep "^framehook:" "$work/err"; then fail "framehook could not deliver all input"; fi

early_kb=$(awk -v f="$early" '$1 == "rss" && $2 == f { print $3 }' "$work/log")
late_kb=$(awk -v f="$late" '$1 == "rss" && $2 == f { print $3 }' "$work/log")
echo "resident memory: ${early_kb} KiB at frame $early, ${late_kb} KiB at frame $late"
[ "${SOAK_MEMORY:-}" = unchecked ] && exit 0
[ $(( late_kb - early_kb )) -le $rss_tolerance_kb ] ||
    fail "resident memory grew by $(( late_kb - early_kb )) KiB (more than $rss_tolerance_kb KiB)"
