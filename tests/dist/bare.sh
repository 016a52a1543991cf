#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A downloaded package really installed on a bare Debian 12 of its
# architecture (mmdebstrap --variant=apt: no desktop, no Mesa) and run there
# by an unprivileged user on the test's Xvfb; docs/testing.md says what is
# checked.
#   bare.sh amd64|arm64|armhf   the test, for $DOWNLOADS/lumbox_$VERSION_ARCH.deb
#   bare.sh roots ARCH...       only makes the bare roots that are missing
# Each root is made once into $ROOTS as a tarball and unpacked afresh for
# every install. Needs root (chroot, mounts); skips otherwise.
. "$(dirname "$0")/../e2e/xserver.sh"
[ -n "${ROOTS:-}" ] || fail "ROOTS must name the folder of the bare roots"
[ "$(id -u)" -eq 0 ] || skip "installing into a root needs root"
need mmdebstrap chroot unshare flock Xvfb xdotool import node xwininfo
native=$(dpkg --print-architecture)

# Another architecture's programs in a root run through qemu once
# binfmt_misc knows it (its F flag keeps qemu open, so qemu need not be in
# the root). What runs add (the mount, the registrations) is listed in the
# state file and undone by the last: each holds the lock shared while it
# uses qemu, and the one that can take it alone at its end undoes the list.
binfmt=/proc/sys/fs/binfmt_misc
binfmt_state=/run/lock/lumbox-binfmt.added
declare -A qemu_entry=([arm64]=qemu-aarch64 [armhf]=qemu-arm)
binfmt_lock=
# use_qemu ARCH...: programs of each ARCH run here, through qemu.
use_qemu() {
    local arch entry conf
    need arch-test
    exec {binfmt_lock}>>/run/lock/lumbox-binfmt.lock
    flock -x "$binfmt_lock"
    if ! mountpoint -q "$binfmt"; then
        mount -t binfmt_misc binfmt_misc "$binfmt" || fail "cannot mount binfmt_misc on $binfmt"
        echo mount >>"$binfmt_state"
    fi
    for arch in "$@"; do
        entry=${qemu_entry[$arch]} conf=/usr/lib/binfmt.d/${qemu_entry[$arch]}.conf
        if [ ! -e "$binfmt/$entry" ]; then
            [ -f "$conf" ] || skip "no $conf (qemu-user-static registers qemu for $arch with it)"
            cat "$conf" >"$binfmt/register" || fail "binfmt_misc refused $conf"
            echo "$entry" >>"$binfmt_state"
        fi
        grep -qx enabled "$binfmt/$entry" && grep -q '^flags:.*F' "$binfmt/$entry" ||
            fail "binfmt_misc's $entry is disabled or lacks the F flag: $(paste -sd' ' "$binfmt/$entry")"
    done
    flock -s "$binfmt_lock"
    for arch in "$@"; do
        arch-test "$arch" >/dev/null || fail "programs for $arch do not run through binfmt_misc"
    done
}
release_qemu() {
    [ -n "$binfmt_lock" ] || return 0
    if flock -xn "$binfmt_lock" && [ -f "$binfmt_state" ]; then
        tac "$binfmt_state" | while read -r added; do
            if [ "$added" = mount ]; then umount "$binfmt"; else echo -1 >"$binfmt/$added"; fi
        done
        rm "$binfmt_state"
    fi
    exec {binfmt_lock}>&-
}
# The harness's clean-up ends whatever runs under qemu first.
end_bare() { end_harness; release_qemu; }

# make_roots ARCH...: the bare roots of each ARCH that $ROOTS lacks, made
# side by side. Their apt reads the same Debian archive as this machine's:
# mmdebstrap writes these lines into the root's sources.list.
make_roots() {
    local arch tarball made=()
    for arch in "$@"; do
        tarball=$ROOTS/bookworm-$arch.tar
        [ -f "$tarball" ] || made+=("$arch")
    done
    [ ${#made[@]} -gt 0 ] || return 0
    mkdir -p "$ROOTS"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
        awk '$2 ~ /^bookworm(-updates|-security)?$/ && $3 == "main" { print "deb " $1 " " $2 " main" }' |
        sort -u >"$work/sources.list"
    [ -s "$work/sources.list" ] || skip "this machine's apt knows no Debian 12 archive (apt-get update fetches its lists)"
    for arch in "${made[@]}"; do
        tarball=$ROOTS/bookworm-$arch.tar
        echo "making the bare $arch root in $tarball"
        mmdebstrap --variant=apt --architectures="$arch" --format=tar --quiet bookworm "$tarball.part" \
            "$work/sources.list" >"$work/mmdebstrap-$arch.log" 2>&1 &&
            mv "$tarball.part" "$tarball" && rm "$work/mmdebstrap-$arch.log" &
    done
    wait
    for arch in "${made[@]}"; do
        [ -f "$ROOTS/bookworm-$arch.tar" ] || fail "mmdebstrap could not make a bare $arch root"
    done
}

start_harness
trap end_bare EXIT
if [ "${1:-}" = roots ]; then
    shift
    foreign=()
    for arch in "$@"; do
        [ "$arch" = "$native" ] || [ -n "${qemu_entry[$arch]:-}" ] || fail "no bare root for '$arch': amd64, arm64 or armhf"
        [ "$arch" = "$native" ] || foreign+=("$arch")
    done
    [ ${#foreign[@]} -eq 0 ] || use_qemu "${foreign[@]}"
    make_roots "$@"
    exit 0
fi
arch=${1:-}
case "$arch" in
amd64 | arm64) driver=llvmpipe ;;
armhf) driver=softpipe ;;
*) fail "usage: bare.sh amd64|arm64|armhf | bare.sh roots ARCH..." ;;
esac
deb=${DOWNLOADS:-}/lumbox_${VERSION:-}_$arch.deb
[ -f "$deb" ] || skip "no package at '$deb' (scripts/release.sh writes it)"
[ "$arch" = "$native" ] || use_qemu "$arch"
make_roots "$arch"

root=$work/root
mkdir "$root"
tar -xf "$ROOTS/bookworm-$arch.tar" -C "$root" --numeric-owner
# The root reaches the archive as this machine does.
cp /etc/resolv.conf /etc/hosts "$root/etc/"
mkdir -p "$root/tmp/.X11-unix"
install -m 644 "$deb" "$root/tmp/"

# in_root USER COMMAND...: COMMAND as USER (0, or 65534, nobody) in the
# root with a clean environment and a mount namespace of its own lending it
# /proc, /dev and the X socket folder. in_root_command only sets $command,
# to start in the background: its process id is COMMAND's.
in_root_command() {
    command=(unshare --mount --propagation private -- sh -ec '
        root=$1 user=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        exec chroot --userspec="$user:$user" --groups="$user" "$root" \
            /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/home/user "$@"' sh "$root" "$@")
}
in_root() { in_root_command "$@" && "${command[@]}"; }
# apt_in_root ARGUMENT...: apt-get in the root; when it fails, the end of
# what it said is kept for the verdict.
apt_in_root() {
    in_root 0 DEBIAN_FRONTEND=noninteractive apt-get -q -y "$@" >"$work/apt" 2>&1 ||
        { tail -n 20 "$work/apt" >"$work/apt.log"; return 1; }
}

apt_in_root update || fail "apt-get update in the bare $arch root failed"
apt_in_root install --no-install-recommends "/tmp/${deb##*/}" || fail "apt-get install of ${deb##*/} failed"
echo "apt installed $(grep -c '^Setting up ' "$work/apt") packages"
mkdir -m 700 "$root/home/user"
chown 65534:65534 "$root/home/user"

# The program, as a user starts it from the menu.
start_xserver
unset LIBGL_ALWAYS_SOFTWARE  # the root's Mesa finds no GPU here by itself
as_user=(65534 DISPLAY="$DISPLAY" GALLIUM_DRIVER=$driver)
in_root_command "${as_user[@]}" /usr/games/lumbox
"${command[@]}" >"$work/out" 2>"$work/err" &
lumbox_pid=$!
wait_for_window
wait_until 120 "the start field from the installed program" shows start
xdotool key Escape
expect_clean_exit 60

# The hack, in the window a screensaver would give it: the screen's root.
window=$(xwininfo -root | awk '/Window id:/ { print $4 }')
in_root_command "${as_user[@]}" XSCREENSAVER_WINDOW="$window" /usr/libexec/xscreensaver/lumbox
"${command[@]}" >"$work/out" 2>"$work/err" &
lumbox_pid=$!
# What the program drew went with its window; the root is black or the
# server's weave until the hack draws.
wait_until 120 "the start field from the installed hack" shows start
kill "$lumbox_pid"
wait "$lumbox_pid" || true
lumbox_pid=

# Removing it leaves none of its files (it has no configuration files to
# keep).
apt_in_root remove lumbox || fail "apt-get remove lumbox failed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' >"$work/files"
left=$(cd "$root" && while read -r file; do if [ -e "$file" ] || [ -L "$file" ]; then echo "$file"; fi; done <"$work/files")
[ -z "$left" ] || fail "apt-get remove left $(echo $left)"
echo "ok: $arch: ${deb##*/} installed on a bare Debian 12, the program and the hack drew the start field ($driver), removed cleanly"
