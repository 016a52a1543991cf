#!/usr/bin/env bash
# Installs what lumbox needs on Debian 12 and is not there yet.
#   scripts/setup.sh          what building and running the demo needs
#   scripts/setup.sh --test   that, plus what the tests need (GoogleTest,
#                             Xvfb, xdotool, ImageMagick, Mesa's llvmpipe,
#                             the Debian tools that check the install, and
#                             for the web build Emscripten, Chromium and the
#                             test's npm packages, pinned by their lockfile)
#   scripts/setup.sh --bench  what the tests need, plus valgrind for the
#                             benchmark's profile
#   scripts/setup.sh --web    what building the web version and serving
#                             it locally needs (Emscripten, Python)
# Uses apt-get, through sudo when not run as root.
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl1.2-compat-dev libgl1-mesa-dev libglu1-mesa-dev)
if [ "${1:-}" = "--test" ] || [ "${1:-}" = "--bench" ]; then
    packages+=(libgtest-dev libx11-dev xvfb xdotool imagemagick libgl1-mesa-dri libegl1 libegl-mesa0
               desktop-file-utils man-db groff-base bsdextrautils dpkg-dev file
               emscripten node-acorn chromium nodejs)
    command -v npm >/dev/null || packages+=(npm)
    [ "$1" = "--bench" ] && packages+=(valgrind)
elif [ "${1:-}" = "--web" ]; then
    packages=(cmake emscripten node-acorn python3)
elif [ -n "${1:-}" ]; then
    echo "usage: $0 [--test | --bench | --web]" >&2
    exit 2
fi

# npm_packages: the web test's npm packages (tests/web), unless the
# lockfile's versions are there already.
npm_packages() {
    [ "${1:-}" = "--test" ] || [ "${1:-}" = "--bench" ] || return 0
    local dir
    dir="$(dirname "$0")/../tests/web"
    cmp -s "$dir/package-lock.json" "$dir/node_modules/.installed-lock.json" && return 0
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock.json)
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
npm_packages "${1:-}"
