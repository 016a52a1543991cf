# SPDX-License-Identifier: MIT
# Soak: the real binary runs thousands of frames with input in every frame,
# both made-up SDL events of every kind (framehook's storm, with bursts that
# fill SDL's event queue) and real X input from xdotool (pointer sweeps over
# the whole display and against its edges, clicks, key presses and
# releases). It keeps running, its resident memory and the heap it has in
# use stay flat from the early frames to the late ones, and it ends on
# Escape with status 0.
. "$(dirname "$0")/xserver.sh"
start_harness

frames=${SOAK_FRAMES:-3000}  # frames with input; about half a minute at llvmpipe speed
# A sanitizer build keeps freed memory in quarantine, so its memory grows
# by design: there SOAK_MEMORY=unchecked leaves the comparisons out.

# One made-up event every frame is too tame: several, and every 250th frame
# a burst that (with the X input) nearly fills SDL's 128-event queue.
# Memory is read at every frame.
actions="1-$frames:storm:6 1-$frames:rss"
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

# reached FRAME: lumbox has drawn FRAME; fails at once if it has ended.
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
wait_until 180 "lumbox did not reach frame $frames" reached "$frames"
kill "$pound_pid"
wait "$pound_pid" || true
escape_ends_lumbox
if grep "^framehook:" "$work/err"; then fail "framehook could not deliver all input"; fi

# least COLUMN FROM TO: the least figure in that column of the memory read
# from frame FROM to TO. Both swing from frame to frame (the driver maps and
# unmaps half a megabyte, events come and go); the least is the level.
least() { awk -v c="$1" -v from="$2" -v to="$3" '$1 == "rss" && $2 >= from && $2 <= to && (kb == "" || $c < kb) { kb = $c } END { print kb }' "$work/log"; }
# flat WHAT COLUMN TOLERANCE: WHAT grew by at most TOLERANCE KiB from the
# early frames to the late ones.
flat() {
    local early late
    early=$(least "$2" $(( frames / 10 )) $(( frames * 3 / 10 )))
    late=$(least "$2" $(( frames * 8 / 10 )) "$frames")
    echo "$1: $early KiB early, $late KiB late"
    [ "${SOAK_MEMORY:-}" = unchecked ] || [ $(( late - early )) -le "$3" ] ||
        fail "$1 grew by $(( late - early )) KiB (more than $3 KiB)"
}
# Resident memory also holds what the driver maps itself; the heap shows a
# leak of a few dozen bytes a frame.
flat "resident memory" 3 1024
flat "heap in use" 4 64
