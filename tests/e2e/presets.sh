# Each click on the real binary rebuilds the field with the next preset,
# 1, 2, 3, 4, then 0, and every picture keeps its preset's colour signature.
# Blending only adds, so a relation that holds between the channels of
# every block holds for every pixel too.
. "$(dirname "$0")/xserver.sh"

# click_until NAME NEVER SOMETIMES: clicks once, then takes shots until no
# pixel fits NEVER (the preset's signature) and some pixel fits SOMETIMES
# (what sets it apart from the preset before).
click_until() {
    xdotool click 1
    for _ in $(seq 20); do
        sleep 0.3
        shot "$1"
        [ "$(count "$1" "$2")" -eq 0 ] && [ "$(count "$1" "$3")" -gt 0 ] && return
    done
    fail "after the click for $1 the picture never showed that preset"
}

start_xserver
start_lumbox
wait_for_picture start
[ "$(count start 'r!=b')" -eq 0 ] || fail "start field has colours other than grey and green"
xdotool mousemove 400 300

click_until preset1 'g>b' 'r>b'              # dark red, dark cyan, blue-cyan
click_until preset2 'g>r' 'b>r'              # grey, orange, blue
click_until preset3 'g>r||g>b' 'b>r'         # grey, red, violet
click_until preset4 'b>0' 'g>r'              # yellow-green, orange, dark green: no blue
click_until preset0 'r!=b' 'g>r'             # grey and green again
click_until preset1again 'g>b' 'r>b'

xdotool key Escape
expect_exit 0 10
expect_no_error_lines
