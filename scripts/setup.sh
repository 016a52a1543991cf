#!/usr/bin/env bash
# Installs what lumbox needs on Debian 12 and is not there yet.
#   scripts/setup.sh          what building and running the demo needs
#   scripts/setup.sh --test   that, plus what the tests need (GoogleTest,
#                             Xvfb, xdotool, ImageMagick, Mesa's llvmpipe,
#                             openbox, weston, and the Debian tools that
#                             check the install)
#   scripts/setup.sh --bench  what the tests need, plus valgrind for the
#                             benchmark's profile
# Uses apt-get, through sudo when not run as root.
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl1.2-compat-dev libgl1-mesa-dev libglu1-mesa-dev)
if [ "${1:-}" = "--test" ] || [ "${1:-}" = "--bench" ]; then
    packages+=(libgtest-dev libx11-dev xvfb xdotool imagemagick libgl1-mesa-dri libegl1 libegl-mesa0
               desktop-file-utils man-db groff-base bsdextrautils dpkg-dev file
               openbox wmctrl weston x11-utils)
    [ "$1" = "--bench" ] && packages+=(valgrind)
elif [ -n "${1:-}" ]; then
    echo "usage: $0 [--test | --bench]" >&2
    exit 2
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
