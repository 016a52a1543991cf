# Each click on the real binary rebuilds the field with the next preset,
# 1, 2, 3, 4, then 0, and every picture keeps its preset's colour signature.
# Blending only adds, so a relation that holds between the channels of
# every block holds for every pixel too. (The start field's own colours are
# checked in start_field.sh.)
. "$(dirname "$0")/xserver.sh"

preset_wait=10  # seconds a preset may take to show after its click

# click_until NAME NEVER SOMETIMES: clicks once, then takes shots until no
# pixel fits NEVER (the preset's signature) and some pixel fits SOMETIMES
# (what sets it apart from the preset before).
click_until() {
    xdotool click 1
    local until=$(( SECONDS + preset_wait )) never sometimes
    while :; do
        sleep 0.1
        shot "$1"
        never=$(count "$1" "$2")
        sometimes=$(count "$1" "$3")
        [ "$never" -eq 0 ] && [ "$sometimes" -gt 0 ] && return
        [ "$SECONDS" -lt "$until" ] ||
            fail "$1 did not show within $preset_wait s of its click: $never pixels fit '$2' (none should), $sometimes fit '$3' (some should), $(count "$1" "$notblack") are lit"
    done
}

start_xserver
start_lumbox
wait_for_picture start
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
