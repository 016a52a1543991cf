# SPDX-License-Identifier: MIT
# The real binary shows the start field of grey and green blocks, blended
# additively, and keeps touring through mouse motion and keys other than
# Escape; each click rebuilds the field with the next preset, 1, 2, 3, 4,
# then 0, and every picture keeps its colour signature (../presets.txt).
# Escape ends it with status 0.
. "$(dirname "$0")/xserver.sh"
start_harness

# shows NAME NEVER SOMETIMES: a shot as NAME in which no pixel fits NEVER
# and some pixel fits SOMETIMES.
shows() {
    shot "$1"
    local never sometimes lit
    read -r never sometimes lit < <(count "$1" "$2" "$3" "$notblack")
    seen="$never pixels fit '$2' (none should), $sometimes fit '$3' (some should), $lit are lit"
    [ "$never" -eq 0 ] && [ "$sometimes" -gt 0 ]
}

exec 3< <(grep -v '^#' "$(dirname "$0")/../presets.txt")
read -r name start_never start_sometimes _ <&3
start_xserver
start_lumbox
wait_for_picture start
wait_until 10 "the start field did not show" shows start "$start_never" "$start_sometimes"
# Where a grey block overlaps a green one, green rises above red.
[ "$(count start 'r>0&&g>r')" -gt 0 ] ||
    fail "no grey block brightens a green one: the blocks are not blended additively"

xdotool mousemove 100 500 key space key a
sleep 1
kill -0 "$lumbox_pid" || fail "lumbox ended on a key other than Escape"
shot moved
cmp -s "$work/start.ppm" "$work/moved.ppm" && fail "the picture stands still"
[ "$(count moved "$start_never")" -eq 0 ] || fail "the field lost its start colours"
[ "$(count moved "$notblack")" -gt "$lit_pixels" ] || fail "the field went (nearly) dark as the camera moved on"

xdotool mousemove 400 300
while read -r name never sometimes _ <&3; do
    xdotool click 1
    wait_until 10 "$name did not show after its click" shows "$name" "$never" "$sometimes"
done
escape_ends_lumbox
