# SPDX-License-Identifier: MIT
# Inside a real MATE screensaver daemon, with the theme of the package's
# entry chosen, activation starts the installed hack, whose picture fills the
# screen's height at 4:3 between side bars, and once the user is back it is
# gone within 3 s, with no X error logged.
#
# The daemon runs only hacks that lie in its own fixed folders, such as
# /usr/libexec/xscreensaver, where the package puts the hack. So the test
# runs in a mount namespace of its own, in which the installed hack folder is
# mounted over the system's: the system itself is left untouched. Only root
# may mount, so a test run by another user runs in a user namespace of its
# own as well, where it is root. The session bus is a private one, from
# dbus-run-session. The script starts itself again inside all that.
. "$(dirname "$0")/screensaver.sh"
if [ -z "${LUMBOX_OWN_MOUNTS:-}" ]; then
    need unshare dbus-run-session mate-screensaver mate-screensaver-command
    own=(unshare --mount --propagation private)
    [ "$(id -u)" -eq 0 ] || own=(unshare --user --map-root-user --mount --propagation private)
    "${own[@]}" true 2>/dev/null || skip "no mount namespace of its own (${own[*]} fails)"
    LUMBOX_OWN_MOUNTS=1 exec "${own[@]}" dbus-run-session -- bash "$0"
fi
install_hack
mount --bind "$(dirname "$hack")" /usr/libexec/xscreensaver
hack=/usr/libexec/xscreensaver/lumbox

# The package's entry, found as a system's data folder would hold it, picked
# as the only theme through GLib's keyfile settings in a private folder.
export XDG_DATA_DIRS=$work/root/usr/share:/usr/share XDG_CONFIG_HOME=$work/config \
    GSETTINGS_BACKEND=keyfile HOME=$work/home NO_AT_BRIDGE=1
mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings" "$HOME"
printf '%s\n' '[org/mate/screensaver]' "mode='single'" "themes=['screensavers-lumbox']" \
    'lock-enabled=false' 'idle-activation-enabled=false' >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
daemon_answers() { mate-screensaver-command --query >/dev/null 2>&1; }

start_xserver
mate-screensaver --no-daemon --debug >"$work/err" 2>&1 &
stop_at_exit $!
wait_until 10 "the daemon answering" daemon_answers
mate-screensaver-command --activate >/dev/null
wait_for_hack

mate-screensaver-command --deactivate >/dev/null
expect_hack_gone
echo "ok: MATE's screensaver ran the package's entry, drew $picture and ended the hack within 3 s of the user's return"
