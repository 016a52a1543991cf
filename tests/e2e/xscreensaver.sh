# SPDX-License-Identifier: MIT
# Inside a real XScreenSaver daemon on a 1280x720 screen, the installed hack
# draws the start field at 4:3 in the screen's height between side bars,
# steps to preset 1 by itself after frame 903, and once the user is back it
# is gone within 3 s, with no X error logged. The daemon refuses to run
# hacks as root, so as root it runs as nobody.
. "$(dirname "$0")/xserver.sh"
start_harness
need xscreensaver xscreensaver-command pgrep convert
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] ||
    skip "xscreensaver-gl is not installed (scripts/setup.sh --test installs it)"
[ -d "${BUILD:-}" ] || fail "BUILD does not name the build tree"

screen=1280x720x24
picture=960x720+160+0  # 800x600 scaled to the screen's height, centred

# The installed files and the daemon's home, readable by its user.
chmod 755 "$work"
cmake --install "$BUILD" --prefix "$work/prefix" >/dev/null
home=$work/home
mkdir "$home"
printf 'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nprograms: GL: %s\n' \
    "$work/prefix/libexec/xscreensaver/lumbox" >"$home/.xscreensaver"
as_user=(env HOME="$home")
if [ "$(id -u)" -eq 0 ]; then
    need setpriv
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
fi

hack_running() { pgrep -f "^$work/prefix/libexec/xscreensaver/lumbox" >/dev/null; }
hack_gone() { ! hack_running; }
daemon_answers() { "${as_user[@]}" xscreensaver-command -time >/dev/null 2>&1; }

start_xserver
# The daemon's log, with the hack's standard error, is what a failure shows.
"${as_user[@]}" xscreensaver -no-splash -verbose >"$work/err" 2>&1 &
stop_at_exit $!
wait_until 10 "the daemon answering" daemon_answers
"${as_user[@]}" xscreensaver-command -activate >/dev/null
wait_until 30 "the hack's picture at $picture" fills "$picture"
hack_running || fail "the picture shows, but not from the installed hack"
shows start || fail "the hack's first picture is not the start field: $seen"
# Frame 903 comes about 10 s in at Xvfb's speed, later on a busy machine.
wait_until 120 "preset 1 after frame 903" shows preset1

"${as_user[@]}" xscreensaver-command -deactivate >/dev/null
wait_until 3 "the hack gone after the user's return" hack_gone
if grep -iE 'X error|Bad(Drawable|Window|Match|Access)' "$work/err"; then
    fail "an X error in the daemon's log"
fi
echo "ok: the hack drew $picture, stepped to preset 1 and ended within 3 s of the user's return"
