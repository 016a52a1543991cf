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
#   lumbox-VERSION.tar.gz          the source: the commit's files in one
#                                  folder, lumbox-VERSION/ (scripts/source.sh)
#   lumbox-VERSION.buildinfo       the Debian packages (and versions) the
#                                  downloads were built with
#   SHA256SUMS                     their checksums, for sha256sum -c
# VERSION is the project's, from project() in CMakeLists.txt. Each build
# keeps its own folder, so a second run rebuilds only what has changed; the
# downloads folder is written anew each time. The same commit gives the
# same bytes in every file, from a clone or from the source archive, on
# Debian 12 with the same package versions (reproducible.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
die() { echo "release.sh: $*" >&2; exit 1; }
# The cross compilers and the Windows build are those of Debian on a PC.
native=$(dpkg --print-architecture 2>/dev/null || uname -m)
[ "$native" = amd64 ] || die "builds the downloads on Debian for amd64, not on $native"
scripts/setup.sh --release
. scripts/reproducible.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
out=$PWD/build-downloads

# windows.sh prints the zip's path last; its output is kept as it goes.
mkdir -p build-windows
scripts/windows.sh | tee build-windows/windows.log
windows_zip=$(tail -n 1 build-windows/windows.log)
[ -f "$windows_zip" ] || die "scripts/windows.sh named no zip"
scripts/web.sh --build

# repack DEB: the package DEB packed again by dpkg-deb, with the
# Installed-Size that Debian's dpkg-gencontrol would count (each file in
# whole KiB, anything else as one). CPack adds up the sizes the file system
# gives its folders, which differ from one file system to another.
repack() {
    local tree=${1%.deb} size
    rm -rf "$tree"
    dpkg-deb -R "$1" "$tree"
    size=$(find "$tree" -mindepth 1 -path "$tree/DEBIAN" -prune -o -printf '%y %s\n' |
        awk '{ size += $1 == "f" ? int(($2 + 1023) / 1024) : 1 } END { print size }')
    sed -i "s/^Installed-Size: .*/Installed-Size: $size/" "$tree/DEBIAN/control"
    dpkg-deb --root-owner-group -Zgzip -b "$tree" "$1" >/dev/null
}

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
    repack "$deb"
    debs+=("$deb")
done

# The web page: the whole of build-web/page/ in a folder of its own.
web=lumbox-$version-web
rm -rf build-web/zip
mkdir build-web/zip
cp -RL build-web/page "build-web/zip/$web"
(cd build-web/zip && cmake -E tar cf "$web.zip" --format=zip "$web")
strip-nondeterminism -t zip -T "$SOURCE_DATE_EPOCH" "build-web/zip/$web.zip" >/dev/null

scripts/source.sh "$version"

rm -rf "$out"
mkdir "$out"
cp "${debs[@]}" "$windows_zip" "build-web/zip/$web.zip" "build-source/lumbox-$version.tar.gz" "$out/"
scripts/buildinfo.sh "$version" "$source_commit" >"$out/lumbox-$version.buildinfo"
(cd "$out" && sha256sum -- * >SHA256SUMS)
echo "$out"
