#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what lumbox needs on Debian 12 and is not there yet.
#   scripts/setup.sh          what building and running the demo needs
#   scripts/setup.sh --test   that, plus what the tests need (GoogleTest,
#                             X11, Xvfb, a real Xorg with its dummy video
#                             driver and xrandr, xdotool, ImageMagick,
#                             Mesa's llvmpipe, openbox, weston, XScreenSaver,
#                             MATE's screensaver with a session bus, the
#                             Debian tools that check the install and the
#                             package and make bare Debian roots to install
#                             it in, and diffoscope, which says how two
#                             builds differ, and for the web build Emscripten,
#                             rsvg-convert, Chromium, the npm packages of
#                             the browser test and benchmark, pinned by
#                             their lockfile, and Python, whose web server
#                             the test uses as scripts/web.sh does; and
#                             qemu's user-mode emulators with Mesa's
#                             drivers for ARM, which run the ARM builds)
#   scripts/setup.sh --bench  what the tests need, plus valgrind for the
#                             benchmark's profile
#   scripts/setup.sh --web    what building the web version and serving it
#                             locally needs (Emscripten, rsvg-convert for
#                             the page's icons, Python)
#   scripts/setup.sh --windows  what building the Windows zip and testing
#                             it under Wine needs (MinGW-w64, the tools that
#                             fetch and build SDL, librsvg's and icoutils'
#                             tools that draw and read the icon, Wine, unzip,
#                             a real Xorg with the dummy driver and xrandr,
#                             and strip-nondeterminism, which fixes the
#                             zip's order and times)
#   scripts/setup.sh --release  what building the Debian packages needs, for
#                             this machine and cross-built for arm64 and
#                             armhf (Debian's cross compilers, and SDL, GL
#                             and GLU of those architectures), and
#                             strip-nondeterminism for the web zip; the
#                             Windows and web builds set up their own
# A package named with an architecture (NAME:arm64) is another
# architecture's; dpkg is told of that architecture before it is installed.
# A package counts as there when dpkg says it is installed or when what it
# brings is found (so a Node.js from elsewhere, with its own npm, is kept).
# What is missing is installed with apt-get (through sudo when not run as
# root); without apt-get it names what to install and fails. When nothing is
# missing it needs neither.
set -euo pipefail

# One line per Debian 12 package: its name, then what shows it is there on a
# machine without dpkg: cmd:NAME (a command), header:PATH (a header the C++
# compiler finds), lib:NAME (a shared library the loader knows) or
# file:PATTERN (a file). A package with nothing after its name is looked
# for as a command of that name.
build=(
    "build-essential        cmd:g++ cmd:make"
    "cmake                  cmd:cmake"
    "pkg-config             cmd:pkg-config"
    "libsdl1.2-compat-dev   header:SDL/SDL.h"
    "libgl1-mesa-dev        header:GL/gl.h"
    "libglu1-mesa-dev       header:GL/glu.h"
)
test=(
    "libgtest-dev           header:gtest/gtest.h"
    "libx11-dev             header:X11/Xlib.h"
    "libxfixes-dev          header:X11/extensions/Xfixes.h"
    "xvfb                   cmd:Xvfb"
    "xdotool"
    "imagemagick            cmd:convert cmd:compare cmd:import"
    "libgl1-mesa-dri        file:/usr/lib/*/dri/swrast_dri.so"
    "libegl1                lib:libEGL.so.1"
    "libegl-mesa0           lib:libEGL_mesa.so.0"
    "desktop-file-utils     cmd:desktop-file-validate"
    "man-db                 cmd:man"
    "groff-base             cmd:groff"
    "bsdextrautils          cmd:col"
    "dpkg-dev               cmd:dpkg-shlibdeps"
    "file"
    "lintian"
    "appstream              cmd:appstreamcli"
    "mmdebstrap"
    "arch-test"
    "openbox"
    "wmctrl"
    "weston"
    "x11-utils              cmd:xprop"
    "xscreensaver           cmd:xscreensaver cmd:xscreensaver-command"
    "xscreensaver-gl        file:/usr/libexec/xscreensaver/xscreensaver-gl-visual"
    "mate-screensaver       cmd:mate-screensaver cmd:mate-screensaver-command"
    "dbus-daemon            cmd:dbus-run-session"
    "procps                 cmd:pgrep"
    "emscripten             cmd:emcc"
    "node-acorn             file:/usr/share/nodejs/acorn/package.json"
    "chromium"
    "nodejs                 cmd:node"
    "npm"
    "python3"
    "librsvg2-bin           cmd:rsvg-convert"
    "qemu-user-static       cmd:qemu-aarch64-static cmd:qemu-arm-static"
    "libgl1-mesa-dri:arm64  file:/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so"
    "libgl1-mesa-dri:armhf  file:/usr/lib/arm-linux-gnueabihf/dri/swrast_dri.so"
    "xserver-xorg-core      cmd:Xorg"
    "xserver-xorg-video-dummy file:/usr/lib/xorg/modules/drivers/dummy_drv.so"
    "x11-xserver-utils      cmd:xrandr cmd:xsetroot"
    "icoutils               cmd:wrestool cmd:icotool"
    "diffoscope"
)
bench=(
    "valgrind"
)
web=(
    "cmake                  cmd:cmake"
    "emscripten             cmd:emcc"
    "node-acorn             file:/usr/share/nodejs/acorn/package.json"
    "python3"
    "librsvg2-bin           cmd:rsvg-convert"
)

windows=(
    "cmake                  cmd:cmake"
    "make"
    "g++-mingw-w64-x86-64   cmd:x86_64-w64-mingw32-g++"
    "dpkg-dev               cmd:dpkg-source"
    "curl"
    "wine"
    "wine64                 file:/usr/lib/wine/wine64"
    "unzip"
    "librsvg2-bin           cmd:rsvg-convert"
    "icoutils               cmd:wrestool cmd:icotool"
    "xserver-xorg-core      cmd:Xorg"
    "xserver-xorg-video-dummy file:/usr/lib/xorg/modules/drivers/dummy_drv.so"
    "x11-xserver-utils      cmd:xrandr cmd:xsetroot"
    "strip-nondeterminism"
)

release=(
    "dpkg-dev               cmd:dpkg-shlibdeps"
    "file"
    "strip-nondeterminism"
    "crossbuild-essential-arm64 cmd:aarch64-linux-gnu-g++ cmd:aarch64-linux-gnu-gcc"
    "crossbuild-essential-armhf cmd:arm-linux-gnueabihf-g++ cmd:arm-linux-gnueabihf-gcc"
    "libsdl1.2-compat-dev:arm64 file:/usr/lib/aarch64-linux-gnu/libSDL.so"
    "libgl1-mesa-dev:arm64  file:/usr/lib/aarch64-linux-gnu/libGL.so"
    "libglu1-mesa-dev:arm64 file:/usr/lib/aarch64-linux-gnu/libGLU.so"
    "libsdl1.2-compat-dev:armhf file:/usr/lib/arm-linux-gnueabihf/libSDL.so"
    "libgl1-mesa-dev:armhf  file:/usr/lib/arm-linux-gnueabihf/libGL.so"
    "libglu1-mesa-dev:armhf file:/usr/lib/arm-linux-gnueabihf/libGLU.so"
)

case "${1:-}" in
"") wanted=("${build[@]}") ;;
--test) wanted=("${build[@]}" "${test[@]}") ;;
--bench) wanted=("${build[@]}" "${test[@]}" "${bench[@]}") ;;
--web) wanted=("${web[@]}") ;;
--windows) wanted=("${windows[@]}") ;;
--release) wanted=("${build[@]}" "${release[@]}") ;;
*) echo "usage: $0 [--test | --bench | --web | --windows | --release]" >&2; exit 2 ;;
esac

# present PROBE: true when what the probe names is there.
present() {
    local kind=${1%%:*} what=${1#*:}
    case "$kind" in
    cmd) command -v "$what" >/dev/null ;;
    header) printf '#include <%s>\n' "$what" | "${CXX:-c++}" -E -x c++ - >/dev/null 2>&1 ;;
    lib) PATH=$PATH:/sbin:/usr/sbin ldconfig -p 2>/dev/null | awk -v n="$what" '$1 == n { f = 1 } END { exit !f }' ;;
    file) compgen -G "$what" >/dev/null ;;
    *) echo "setup.sh: unknown probe $1" >&2; exit 2 ;;
    esac
}

# installed LINE: true when the package of that line is there.
installed() {
    local package rest probes probe
    read -r package rest <<<"$1"
    if command -v dpkg-query >/dev/null &&
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        return 0
    fi
    read -ra probes <<<"${rest:-cmd:$package}"
    for probe in "${probes[@]}"; do
        present "$probe" || return 1
    done
}

missing=()
for line in "${wanted[@]}"; do
    installed "$line" || missing+=("${line%% *}")
done
if [ ${#missing[@]} -gt 0 ]; then
    if ! command -v apt-get >/dev/null; then
        echo "setup.sh: missing, and there is no apt-get to install them: ${missing[*]}" >&2
        echo "Install these Debian 12 packages (or your system's equivalents) and run it again." >&2
        exit 1
    fi
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*://p' | sort -u); do
        dpkg --print-foreign-architectures | grep -qx "$arch" || "${sudo[@]}" dpkg --add-architecture "$arch"
    done
    # Another apt run may hold the package system's lock for a while.
    apt=(apt-get -o DPkg::Lock::Timeout=600)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" "${apt[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

# The npm packages of the browser test and benchmark (tests/web), unless
# the lockfile's versions are there already.
case "${1:-}" in
--test | --bench)
    npmdir="$(dirname "$0")/../tests/web"
    if ! cmp -s "$npmdir/package-lock.json" "$npmdir/node_modules/.installed-lock.json"; then
        (cd "$npmdir" && npm ci --no-audit --no-fund --loglevel=error &&
            cp package-lock.json node_modules/.installed-lock.json)
    fi
    ;;
esac
