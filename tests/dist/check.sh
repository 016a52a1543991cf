#!/usr/bin/env bash
# Checks of lumbox as it is installed and packaged, and of its set-up:
#   check.sh install      cmake --install into a fresh prefix gives exactly
#                         the program, manual page, menu entry, icon,
#                         copyright and changelog
#   check.sh desktop      desktop-file-validate accepts the installed menu
#                         entry, which starts the installed program
#   check.sh manual       the manual page renders without warnings and
#                         documents every message the program can print
#   check.sh deb          a build for a games directory (as Debian wants a
#                         game) packaged by CPack: a .deb with those files,
#                         a Depends line taken from the linked libraries,
#                         and nothing lintian warns about
#   check.sh setup        scripts/setup.sh on a machine without apt-get or
#                         dpkg finds everything it would install, and names
#                         what is missing
# SOURCE and BUILD name the source tree and a configured, built tree.
# Exits 77 (skipped) when a needed Debian tool is missing.
. "$(dirname "$0")/../harness.sh"
[ -d "${SOURCE:-}" ] && [ -d "${BUILD:-}" ] || fail "SOURCE and BUILD must name the source and build trees"
start_harness

installed=(
    share/applications/lumbox.desktop
    share/doc/lumbox/changelog.gz
    share/doc/lumbox/copyright
    share/icons/hicolor/scalable/apps/lumbox.svg
    share/man/man6/lumbox.6.gz
)

# expect_tree DIR FILE...: DIR holds exactly these files, nothing else.
expect_tree() {
    local dir=$1; shift
    diff <(printf '%s\n' "$@" | sort) <(cd "$dir" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/tree.log" ||
        fail "installed files differ from the expected ones (< expected, > installed)"
}

# The installed program must be the demo itself: without a display it
# refuses SDL's invisible driver and ends with status 1.
expect_program() {
    [ -x "$1" ] || fail "$1 is not an executable"
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$1" 2>"$work/err" >/dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$1 without a display ended with status $status, expected 1"
    grep -q "^Couldn't initialize SDL: " "$work/err" || fail "$1 without a display gave no set-up message"
}

# expect_entry_runs ROOT PROGRAM: the menu entry installed under ROOT starts
# PROGRAM, the installed program's path on the target system.
expect_entry_runs() {
    local exec_line
    exec_line=$(sed -n 's/^Exec=//p' "$1/share/applications/lumbox.desktop")
    [ "$exec_line" = "\"$2\"" ] || fail "the menu entry runs $exec_line, not $2"
}

case "${1:-}" in
install)
    cmake --install "$BUILD" --prefix "$work/prefix" >/dev/null
    expect_tree "$work/prefix" bin/lumbox "${installed[@]}"
    expect_program "$work/prefix/bin/lumbox"
    ;;
desktop)
    need desktop-file-validate
    # A prefix with a space, as a user's home folder may have.
    prefix="$work/my games"
    cmake --install "$BUILD" --prefix "$prefix" >/dev/null
    entry=$prefix/share/applications/lumbox.desktop
    desktop-file-validate "$entry" >"$work/validate.log" 2>&1 || true
    [ -s "$work/validate.log" ] && fail "desktop-file-validate finds fault with the menu entry"
    expect_entry_runs "$prefix" "$prefix/bin/lumbox"
    ;;
manual)
    need groff man
    page=$SOURCE/dist/lumbox.6
    groff -man -ww -z "$page" 2>"$work/groff.log" || fail "groff failed"
    [ -s "$work/groff.log" ] && fail "groff warns"
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>"$work/man.log" | col -b >"$work/text"
    [ -s "$work/man.log" ] && fail "man warns"
    # Every message the program can print is explained in the page.
    for message in "Couldn't initialize SDL: " "Couldn't set GL mode: " \
                   "lumbox: OpenGL error: " "lumbox: SDL error '"; do
        grep -qaF "$message" "$BUILD/viewer/lumbox" || fail "the program no longer prints \"$message\""
        grep -qF "$message" "$work/text" || fail "the manual page does not explain \"$message\""
    done
    ;;
deb)
    need cpack dpkg-deb dpkg-shlibdeps lintian
    cmake -S "$SOURCE" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DLUMBOX_INSTALL_BINDIR=games >/dev/null
    cmake --build "$work/build" -j2 >/dev/null
    (cd "$work/build" && cpack -B "$work/package") >"$work/cpack.log" 2>&1 || fail "cpack failed"
    deb=$(ls "$work"/package/lumbox_*.deb)
    dpkg-deb -x "$deb" "$work/root"
    expect_tree "$work/root/usr" games/lumbox "${installed[@]}"
    expect_program "$work/root/usr/games/lumbox"
    expect_entry_runs "$work/root/usr" /usr/games/lumbox
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for library in libc6 libsdl1.2 libglu1; do
        [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
    done
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian finds fault with the package"
    ;;
setup)
    need dpkg-query
    # A PATH with every command but apt-get: links to them all in one folder.
    bin=$work/bin
    mkdir "$bin"
    IFS=: read -ra folders <<<"$PATH"
    for folder in "${folders[@]}"; do
        [ -d "$folder" ] && cp -sn "$folder"/* "$bin/" 2>/dev/null || true
    done
    rm -f "$bin/apt-get"
    setup=$SOURCE/scripts/setup.sh
    PATH=$bin bash "$setup" --test >/dev/null 2>&1 ||
        skip "not everything scripts/setup.sh --test installs is here"
    rm "$bin/dpkg-query"
    PATH=$bin bash "$setup" --test 2>"$work/err" || fail "without dpkg, setup.sh misses what is installed"
    rm "$bin/xdotool"
    status=0
    PATH=$bin bash "$setup" --test 2>"$work/err" || status=$?
    [ "$status" -ne 0 ] || fail "without xdotool and apt-get, setup.sh succeeded"
    grep -q "xdotool" "$work/err" || fail "setup.sh does not name the missing xdotool"
    ;;
*)
    fail "usage: $0 install|desktop|manual|deb|setup"
    ;;
esac
echo "ok: $1"
