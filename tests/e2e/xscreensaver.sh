# SPDX-License-Identifier: MIT
# Inside a real XScreenSaver daemon the installed hack draws the start field
# at 4:3 between side bars, steps to preset 1 as the frames go on, and once
# the user is back it is gone within 3 s, with no X error logged; on its
# own, it steps after frame 903 exactly, drawing preset 1 in frame 904. The
# daemon refuses to run hacks as root, so as root it runs as nobody.
. "$(dirname "$0")/screensaver.sh"
install_hack
need xscreensaver xscreensaver-command
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] ||
    skip "xscreensaver-gl is not installed (scripts/setup.sh --test installs it)"

# The daemon's home, readable by its user. Outside the package the hack is
# named by its full path.
chmod 755 "$work"
home=$work/home
mkdir "$home"
printf 'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nprograms: GL: %s\n' \
    "$hack" >"$home/.xscreensaver"
as_user=(env HOME="$home")
if [ "$(id -u)" -eq 0 ]; then
    need setpriv
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
fi
daemon_answers() { "${as_user[@]}" xscreensaver-command -time >/dev/null 2>&1; }

start_xserver
"${as_user[@]}" xscreensaver -no-splash -verbose >"$work/err" 2>&1 &
stop_at_exit $!
wait_until 10 "the daemon answering" daemon_answers
"${as_user[@]}" xscreensaver-command -activate >/dev/null
wait_for_hack
shows start || fail "the hack's first picture is not the start field: $seen"
# Frame 903 comes about 10 s in at Xvfb's speed, later on a busy machine.
wait_until 120 "preset 1 after frame 903" shows preset1

"${as_user[@]}" xscreensaver-command -deactivate >/dev/null
expect_hack_gone

# Then on its own, in the screen's root window, where the frame hook sees
# the step come exactly when due: frame 903 still shows the start field,
# frame 904 preset 1. It runs last, as its picture stays on the root window
# after it ends, where the daemon's test would take it for the hack's.
need xwininfo
root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
LUMBOX=$hack start_hooked XSCREENSAVER_WINDOW="$root" \
    FRAMEHOOK_ACTIONS="903:shot:$work/frame903.ppm 904:shot:$work/frame904.ppm 904:quit"
expect_clean_exit 120
signature frame903 start || fail "frame 903 is not the start field: $seen"
signature frame904 preset1 || fail "frame 904 is not preset 1: $seen"
echo "ok: the hack drew $picture, stepped to preset 1 (in frame 904) and ended within 3 s of the user's return"
