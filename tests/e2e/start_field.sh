# The real binary shows the start field of grey and green blocks, blended
# additively, keeps touring through clicks and other keys, and ends on
# Escape with status 0.
. "$(dirname "$0")/xserver.sh"

start_xserver
start_lumbox
wait_for_picture start
# Grey and pure green blocks, added together, keep red equal to blue; where
# a grey block overlaps a green one, green rises above red.
[ "$(count start 'r!=b')" -eq 0 ] || fail "start field has colours other than grey and green"
[ "$(count start 'g>r')" -gt 0 ] || fail "start field shows no green"
[ "$(count start 'r>0&&g>r')" -gt 0 ] ||
    fail "no grey block brightens a green one: the blocks are not blended additively"

xdotool mousemove 100 500 key space key a
sleep 1
kill -0 "$lumbox_pid" || fail "lumbox ended on a key other than Escape"
shot moved
cmp -s "$work/start.ppm" "$work/moved.ppm" && fail "the picture stands still"
[ "$(count moved 'r!=b')" -eq 0 ] || fail "the field lost its start colours"
[ "$(count moved "$notblack")" -gt "$lit_pixels" ] ||
    fail "the field went (nearly) dark as the camera moved on"

xdotool key Escape
expect_exit 0 10
expect_no_error_lines
