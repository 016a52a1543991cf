#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks of lumbox as it is installed and packaged, and of its set-up:
#   check.sh install  cmake --install into a fresh prefix (with a space in
#       its path) gives exactly the program, manual page, menu entry, icon,
#       copyright, changelog and the screensaver hack with its descriptions;
#       the hack outside XScreenSaver says so and fails; desktop-file-validate
#       accepts the menu entry and the hack's entry, which start the
#       installed program and hack
#   check.sh manual   the manual page renders without warnings and documents
#       every message the program can print
#   check.sh deb      a build for a games directory (as Debian wants a game)
#       packaged by CPack: a .deb with those files, the hack where
#       XScreenSaver looks for it, a Depends line from the linked libraries
#       and the OpenGL that SDL loads, which on a bare machine brings
#       sdl12-compat and not the old SDL 1.2, and Mesa's drivers;
#       XScreenSaver suggested, AppStream metainfo that appstreamcli
#       accepts (with screenshots, as a packager may list them), and
#       nothing lintian warns about
#   check.sh docs     every relative link in README.md and docs/ leads to a
#       file that exists, and to a heading of it where it names one; the
#       README keeps its two commands near its top and stays short
#   check.sh setup    scripts/setup.sh without apt-get or dpkg finds all it
#       would install, and names what is missing; scripts/web.sh refuses
#       an argument that is neither --build nor a port, before building
#   check.sh release  scripts/release.sh's folder ($DOWNLOADS): exactly the
#       three packages (amd64, arm64, armhf), the Windows zip, the web zip,
#       the source archive, the build information and SHA256SUMS, with a
#       line for each that sha256sum -c accepts; each package as check.sh
#       deb wants it, marked with its architecture, its programs built for
#       it (and run under qemu for ARM); the web zip holds the page's folder
#       as built, the Windows zip is the one built, the source archive the
#       commit's files (in a clone)
#   check.sh reproducible  the source archive of $DOWNLOADS, unpacked
#       elsewhere (a longer path, another file system where there is one)
#       under umask 077, builds with plain CMake into a program that runs;
#       scripts/release.sh there, a minute later at least, in another time
#       zone and locale, writes the same SHA256SUMS (diffoscope says why not)
# SOURCE and BUILD name the source tree and a configured, built tree;
# VERSION the project's version.
# Exits 77 (skipped) when a needed Debian tool is missing.
. "$(dirname "$0")/../harness.sh"
[ -d "${SOURCE:-}" ] && [ -d "${BUILD:-}" ] || fail "SOURCE and BUILD must name the source and build trees"
start_harness

installed=(
    libexec/xscreensaver/lumbox
    share/applications/lumbox.desktop
    share/applications/screensavers/lumbox.desktop
    share/doc/lumbox/changelog.gz
    share/doc/lumbox/copyright
    share/icons/hicolor/scalable/apps/lumbox.svg
    share/man/man6/lumbox.6.gz
    share/metainfo/org.example.lumbox.metainfo.xml
    share/xscreensaver/config/lumbox.xml
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
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${emulator[@]}" "$1" 2>"$work/err" >/dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$1 without a display ended with status $status, expected 1"
    grep -q "^Couldn't initialize SDL: " "$work/err" || fail "$1 without a display gave no set-up message"
}

# expect_entry_runs ENTRY PROGRAM: the desktop entry ENTRY starts PROGRAM,
# an installed path on the target system.
expect_entry_runs() {
    local exec_line
    exec_line=$(sed -n 's/^Exec=//p' "$1")
    [ "$exec_line" = "\"$2\"" ] || fail "$1 runs $exec_line, not $2"
}

# expect_hack HACK: without XScreenSaver's window the screensaver hack HACK
# says so in one line and fails.
expect_hack() {
    [ -x "$1" ] || fail "$1 is not an executable"
    local status=0
    env -u XSCREENSAVER_WINDOW -u DISPLAY -u WAYLAND_DISPLAY "${emulator[@]}" "$1" 2>"$work/err" >/dev/null || status=$?
    [ "$status" -eq 1 ] || fail "$1 outside XScreenSaver ended with status $status, expected 1"
    [ "$(grep -c XSCREENSAVER_WINDOW "$work/err")" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
        fail "$1 outside XScreenSaver did not say so in one line: $(cat "$work/err")"
}

# expect_installed ROOT PREFIX BINDIR: ROOT holds the installed files of a
# system whose prefix is PREFIX, with the program in BINDIR; the menu entry
# runs the program there and the hack's entry the hack.
expect_installed() {
    local root=$1 prefix=$2 program=$3/lumbox hack=libexec/xscreensaver/lumbox
    expect_tree "$root" "$program" "${installed[@]}"
    expect_program "$root/$program"
    expect_hack "$root/$hack"
    expect_entry_runs "$root/share/applications/lumbox.desktop" "$prefix/$program"
    expect_entry_runs "$root/share/applications/screensavers/lumbox.desktop" "$prefix/$hack"
}

# Per Debian architecture: the ELF machine its programs are built for
# (as readelf names it).
declare -A machine=([amd64]="Advanced Micro Devices X86-64" [arm64]=AArch64 [armhf]=ARM)

# expect_deb DEB ARCH: the package DEB is for the Debian architecture ARCH
# and its programs are built for it; it installs the files of a games
# build; Depends names sdl12-compat's shim first, then the OpenGL that SDL
# loads, and on a bare machine apt brings the shim and not the old SDL 1.2,
# and Mesa's drivers for GLX and EGL; it suggests XScreenSaver, AppStream
# finds nothing to say of its metainfo and menu entry, and lintian nothing
# to warn of.
expect_deb() {
    local deb=$1 arch=$2 root=$work/root-$2 program built depends sdl
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] ||
        fail "${deb##*/} is marked for $(dpkg-deb -f "$deb" Architecture), not $arch"
    dpkg-deb -x "$deb" "$root"
    for program in games/lumbox libexec/xscreensaver/lumbox; do
        built=$(readelf -h "$root/usr/$program" 2>/dev/null | sed -n 's/^ *Machine: *//p')
        [ "$built" = "${machine[$arch]}" ] || fail "${deb##*/}'s $program is built for '$built', not ${machine[$arch]}"
    done
    emulate "$arch"  # the programs run under qemu where they are ARM's
    expect_installed "$root/usr" /usr games
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "${deb##*/}: Depends: $depends"
    [[ "$depends" == libsdl1.2-compat-shim* ]] || fail "Depends does not name libsdl1.2-compat-shim first: $depends"
    for library in libgl1 libegl1 libc6 libglu1; do
        [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
    done
    [ "$(dpkg-deb -f "$deb" Suggests)" = xscreensaver ] ||
        fail "the package does not suggest xscreensaver: $(dpkg-deb -f "$deb" Suggests)"
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian finds fault with ${deb##*/}"
    # Anything it says, hints included, comes as a line "X: ...".
    appstreamcli validate-tree --no-net --pedantic "$root" >"$work/appstream.log" 2>&1 &&
        ! grep -q '^ *[A-Z]: ' "$work/appstream.log" || fail "appstreamcli finds fault with ${deb##*/}'s metainfo"
    # What apt would install on a machine that has nothing yet.
    apt-cache show "libsdl1.2-compat-shim:$arch" >/dev/null 2>&1 ||
        skip "apt knows no libsdl1.2-compat-shim:$arch (apt-get update fetches the package lists)"
    : >"$work/nothing-installed"
    apt-get -s -o Dir::State::status="$work/nothing-installed" --no-install-recommends install "$deb" >"$work/apt.log" 2>&1 ||
        fail "apt cannot install ${deb##*/}"
    sdl=$(sed -En 's/^Inst (libsdl1\.2debian|libsdl1\.2-compat-shim)(:[a-z0-9]+)? .*/\1/p' "$work/apt.log" | paste -sd' ' || true)
    [ "$sdl" = libsdl1.2-compat-shim ] ||
        fail "for ${deb##*/} apt brings '$sdl' as SDL 1.2, not only libsdl1.2-compat-shim"
    for driver in libglx-mesa0 libegl-mesa0 libgl1-mesa-dri; do
        grep -Eq "^Inst $driver(:[a-z0-9]+)? " "$work/apt.log" || fail "for ${deb##*/} apt brings no $driver"
    done
}

# The anchor a Markdown heading gets: lower case, spaces as hyphens, no
# punctuation but hyphens and underscores.
anchor() { tr '[:upper:]' '[:lower:]' | sed 's/[^a-z0-9 _-]//g; s/ /-/g'; }

case "${1:-}" in
docs)
    readme=$SOURCE/README.md
    for page in "$readme" "$SOURCE"/docs/*.md; do
        while read -r target; do
            file=${target%%#*}
            file=$(dirname "$page")/${file:-${page##*/}}
            [ -e "$file" ] || fail "${page#"$SOURCE"/} links to $target, which is not there"
            [[ "$target" == *"#"* ]] || continue
            sed -n 's/^#\+ *//p' "$file" | anchor | grep -qx -- "${target#*#}" ||
                fail "${page#"$SOURCE"/} links to $target, a heading that is not there"
        done < <(
            # Each link's target, outside code blocks, web addresses left out.
            awk '/^```/ { code = !code; next } !code' "$page" | grep -o '\]([^)]*)' |
                sed 's/^](//; s/)$//' | grep -v '^[a-z]*:')
    done
    for command in scripts/demo.sh scripts/test.sh; do
        line=$(grep -n "^$command " "$readme" | head -1 | cut -d: -f1)
        [ -n "$line" ] && [ "$line" -le 40 ] || fail "README.md does not give $command within its first 40 lines"
    done
    [ "$(wc -l <"$readme")" -le 300 ] || fail "README.md is $(wc -l <"$readme") lines long, over 300"
    ;;
install)
    need desktop-file-validate
    # A prefix with a space, as a user's home folder may have.
    prefix="$work/my games"
    cmake --install "$BUILD" --prefix "$prefix" >/dev/null
    expect_installed "$prefix" "$prefix" bin
    # A hack's entry names no menu category but Screensaver, which the
    # validator only hints at, as it does for XScreenSaver's own entries.
    for entry in lumbox.desktop screensavers/lumbox.desktop; do
        desktop-file-validate "$prefix/share/applications/$entry" 2>&1 | grep -v ': hint: ' >"$work/validate.log" || true
        [ -s "$work/validate.log" ] && fail "desktop-file-validate finds fault with $entry"
    done
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
    need cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli
    cmake -S "$SOURCE" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DLUMBOX_INSTALL_BINDIR=games \
        -DLUMBOX_SCREENSHOTS_URL=https://example.org/lumbox/pictures >/dev/null
    cmake --build "$work/build" -j2 >/dev/null
    (cd "$work/build" && cpack -B "$work/package") >"$work/cpack.log" 2>&1 || fail "cpack failed"
    expect_deb "$(ls "$work"/package/lumbox_*.deb)" "$(dpkg --print-architecture)"
    ;;
release)
    downloads=${DOWNLOADS:-}
    [ -d "$downloads" ] || skip "no downloads folder at '$downloads' (scripts/release.sh writes it)"
    need dpkg-deb lintian readelf sha256sum unzip appstreamcli
    native=$(dpkg --print-architecture)
    files=(lumbox_"$VERSION"_{"$native",arm64,armhf}.deb "lumbox-$VERSION-windows-x64.zip" "lumbox-$VERSION-web.zip"
        "lumbox-$VERSION.tar.gz" "lumbox-$VERSION.buildinfo")
    diff <(printf '%s\n' "${files[@]}" SHA256SUMS | LC_ALL=C sort) <(cd "$downloads" && LC_ALL=C ls -A) >"$work/list.log" ||
        fail "the downloads folder's files differ from the expected ones (< expected, > there)"
    # A line for every download, and each line right.
    diff <(printf '%s\n' "${files[@]}" | LC_ALL=C sort) <(sed 's/^[0-9a-f]\{64\}  //' "$downloads/SHA256SUMS" | LC_ALL=C sort) \
        >"$work/sums.log" || fail "SHA256SUMS does not list each download once (< missing, > unknown)"
    (cd "$downloads" && sha256sum --strict -c SHA256SUMS) >"$work/sums.log" 2>&1 || fail "sha256sum -c fails"
    cmp -s "$downloads/lumbox-$VERSION-windows-x64.zip" "$SOURCE/build-windows/lumbox-$VERSION-windows-x64.zip" ||
        fail "the Windows zip is not build-windows/'s"
    unzip -q "$downloads/lumbox-$VERSION-web.zip" -d "$work/web"
    [ "$(cd "$work/web" && ls -A)" = "lumbox-$VERSION-web" ] || fail "the web zip holds more than its folder"
    diff -r "$SOURCE/build-web/page" "$work/web/lumbox-$VERSION-web" >"$work/web.log" ||
        fail "the web zip's folder is not build-web/page/"
    if [ "$(git -C "$SOURCE" rev-parse --show-toplevel 2>/dev/null)" = "$SOURCE" ]; then
        diff <(git -C "$SOURCE" ls-files | sed "s|^|lumbox-$VERSION/|" | LC_ALL=C sort) \
            <(tar -tzf "$downloads/lumbox-$VERSION.tar.gz" | grep -v '/$' | LC_ALL=C sort) >"$work/source.log" ||
            fail "the source archive's files are not the commit's (< committed, > archived)"
    fi
    for arch in "$native" arm64 armhf; do
        expect_deb "$downloads/lumbox_${VERSION}_$arch.deb" "$arch"
    done
    ;;
reproducible)
    downloads=${DOWNLOADS:-}
    [ -f "$downloads/SHA256SUMS" ] || skip "no downloads in '$downloads' (scripts/release.sh writes them)"
    [ -z "$(git -C "$SOURCE" status --porcelain --untracked-files=no 2>/dev/null)" ] ||
        skip "changes not committed: the downloads hold them, the source archive does not"
    need diffoscope
    # tmpfs lists a folder's files newest first, unlike a disk's file systems.
    parent=/var/tmp
    [ "$(stat -f -c %T "$SOURCE")" = tmpfs ] || [ ! -w /dev/shm ] || parent=/dev/shm
    elsewhere=$(mktemp -d -p "$parent" lumbox-rebuilt.XXXXXX)
    trap 'rm -rf "$elsewhere"; end_harness' EXIT
    # Under a folder whose name is as long as $SOURCE, the tree's path is longer.
    tree=$elsewhere/${SOURCE//?/x}/lumbox-$VERSION
    (umask 077 && mkdir -p "${tree%/*}" && tar --no-same-permissions -xzf "$downloads/lumbox-$VERSION.tar.gz" -C "${tree%/*}")
    (cd "$tree" && cmake -S . -B build && cmake --build build -j2) >"$work/plain.out" 2>&1 ||
        { tail -n 30 "$work/plain.out" >&2; fail "the source archive does not build with plain CMake"; }
    SDL_VIDEODRIVER=offscreen LD_PRELOAD="$BUILD/tools/framehook.so" FRAMEHOOK_ACTIONS=30:quit \
        timeout 60 "$tree/build/viewer/lumbox" 2>"$work/err" || fail "the program built from the source archive failed"
    # A minute after the first build at least.
    wait=$(( $(stat -c %Y "$downloads/SHA256SUMS") + 61 - $(date +%s) ))
    [ "$wait" -le 0 ] || sleep "$wait"
    # .ci/run names sdl12-compat's tarball relative to the source tree.
    tarball=${SDL12COMPAT_TARBALL:+$(cd "$SOURCE" && realpath -e "$SDL12COMPAT_TARBALL")}
    (cd "$tree" && umask 077 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 SDL12COMPAT_TARBALL=$tarball scripts/release.sh) \
        >"$work/release.out" 2>&1 || { tail -n 30 "$work/release.out" >&2; fail "release.sh failed in the source archive"; }
    rebuilt=$tree/build-downloads
    if ! diff "$downloads/SHA256SUMS" "$rebuilt/SHA256SUMS" >"$work/sums.log"; then
        for file in $(sed -n 's/^< [0-9a-f]\{64\}  //p' "$work/sums.log"); do
            { timeout 300 diffoscope --text - "$downloads/$file" "$rebuilt/$file" || true; } | head -n 50 >"$work/$file.log"
        done
        fail "the downloads built again from the source archive differ (< first, > again)"
    fi
    ;;
setup)
    for argument in foo 0 65536; do
        status=0
        timeout 30 bash "$SOURCE/scripts/web.sh" "$argument" >/dev/null 2>"$work/err" || status=$?
        [ "$status" -eq 2 ] && grep -q '^usage: ' "$work/err" ||
            fail "scripts/web.sh $argument ended with status $status and no usage line"
    done
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
    if PATH=$bin bash "$setup" --test 2>"$work/err"; then fail "without xdotool and apt-get, setup.sh succeeded"; fi
    grep -q "xdotool" "$work/err" || fail "setup.sh does not name the missing xdotool"
    ;;
*)
    fail "usage: $0 install|manual|deb|docs|setup|release|reproducible"
    ;;
esac
echo "ok: $1"
