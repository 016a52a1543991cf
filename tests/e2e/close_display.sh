# Closing the display, as a window manager asks a window to close, ends the
# program with status 0.
. "$(dirname "$0")/xserver.sh"
[ -x "${CLOSEWINDOW:-}" ] || fail "CLOSEWINDOW does not name the helper"

start_xserver
start_lumbox
window=$(lumbox_window)
"$CLOSEWINDOW" "$window"
expect_exit 0 10
expect_no_error_lines
