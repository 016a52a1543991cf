#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints what the downloads were built with, in the manner of Debian's
# .buildinfo files: the source's version and commit, the build machine's
# architecture, the sources SDL for Windows was built from, and every
# installed Debian package that the builds use, directly or through what it
# depends on, with its version. release.sh writes it among the downloads.
#   scripts/buildinfo.sh VERSION COMMIT
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: $0 VERSION COMMIT" >&2; exit 2; }
recipe=build-windows/sdl/recipe  # written by windows.sh
[ -f "$recipe" ] || { echo "buildinfo.sh: no $recipe (scripts/windows.sh writes it)" >&2; exit 1; }

# What the builds call or link; apt-cache adds what these depend on.
used=(build-essential cmake pkg-config dpkg-dev file gzip tar strip-nondeterminism
    libsdl1.2-compat-dev libgl1-mesa-dev libglu1-mesa-dev
    crossbuild-essential-{arm64,armhf} lib{sdl1.2-compat,gl1-mesa,glu1-mesa}-dev:{arm64,armhf}
    g++-mingw-w64-x86-64 icoutils librsvg2-bin emscripten node-acorn)

echo "Format: 1.0"
echo "Source: lumbox"
echo "Version: $1"
echo "Commit: $2"
echo "Build-Architecture: $(dpkg --print-architecture)"
echo "Windows-SDL:"
sed 's/^/ /' "$recipe"
# Names apt knows but dpkg has not installed (other architectures', virtual
# ones) are dropped: dpkg-query fails on them, which says nothing here.
names=$(apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${used[@]}" 2>/dev/null | grep -v '^ ' | sort -u)
echo "Installed-Build-Depends:"
{ xargs dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} (= ${Version})\n' <<<"$names" 2>/dev/null || true; } |
    awk '$1 == "ii" { print " " $2, $3, $4 }' | LC_ALL=C sort -u | sed '$!s/$/,/'
