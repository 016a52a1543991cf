#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds every download of lumbox and writes them into one folder,
# build-downloads/, whose path is the last line printed:
#   lumbox_VERSION_amd64.deb       the Debian package for this machine (the
#                                  deb preset; amd64 on a PC)
#   lumbox_VERSION_arm64.deb       the same cross-built for 64-bit ARM and
#   lumbox_VERSION_armhf.deb       32-bit ARM (the arm64 and armhf presets)
#   lumbox-VERSION-windows-x64.zip scripts/windows.sh's zip
#   lumbox-VERSION-web.zip         the page (scripts/web.sh --build) in one
#                                  folder, for any static web server
#   SHA256SUMS                     their checksums, for sha256sum -c
# VERSION is the project's, from project() in CMakeLists.txt. Each build
# keeps its own folder, so a second run rebuilds only what has changed; the
# downloads folder is written anew each time.
set -euo pipefail
cd "$(dirname "$0")/.."
die() { echo "release.sh: $*" >&2; exit 1; }
# The cross compilers and the Windows build are those of Debian on a PC.
native=$(dpkg --print-architecture 2>/dev/null || uname -m)
[ "$native" = amd64 ] || die "builds the downloads on Debian for amd64, not on $native"
scripts/setup.sh --release
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
out=$PWD/build-downloads

# windows.sh prints the zip's path last; its output is kept as it goes.
mkdir -p build-windows
scripts/windows.sh | tee build-windows/windows.log
windows_zip=$(tail -n 1 build-windows/windows.log)
[ -f "$windows_zip" ] || die "scripts/windows.sh named no zip"
scripts/web.sh --build

# The Debian packages: each preset's build, packed by CPack, which names
# the package after the version and the architecture it marks it with.
debs=()
for preset in deb arm64 armhf; do
    arch=$preset
    [ "$preset" != deb ] || arch=$native
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build-$preset/CMakeCache.txt")
    [ -n "$version" ] || die "build-$preset/CMakeCache.txt names no project version"
    deb=$(cd "build-$preset" && cpack -G DEB -B "$PWD/packages" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
    [ "${deb##*/}" = "lumbox_${version}_$arch.deb" ] ||
        die "the $preset preset's package is '${deb##*/}', not lumbox_${version}_$arch.deb"
    debs+=("$deb")
done

# The web page: the whole of build-web/page/ in a folder of its own.
web=lumbox-$version-web
rm -rf build-web/zip
mkdir build-web/zip
cp -RL build-web/page "build-web/zip/$web"
(cd build-web/zip && cmake -E tar cf "$web.zip" --format=zip "$web")

rm -rf "$out"
mkdir "$out"
cp "${debs[@]}" "$windows_zip" "build-web/zip/$web.zip" "$out/"
(cd "$out" && sha256sum -- * >SHA256SUMS)
echo "$out"
