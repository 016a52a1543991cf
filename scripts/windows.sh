#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds lumbox for 64-bit Windows on Debian with MinGW-w64 and writes the
# zip a Windows user unpacks; its path is the last line printed.
#   SDL 2          Debian's source package libsdl2, fetched and checked
#                  against Debian's keyring by apt-get source through a
#                  private source list (the machine's apt set-up is left as
#                  it is)
#   sdl12-compat   the release tarball named by SDL12COMPAT_TARBALL, checked
#                  against its pinned SHA256; unset, the same release is
#                  downloaded from upstream and its files checked instead
# Both are built once, without their test programs, into build-windows/sdl
# (the windows preset's CMAKE_FIND_ROOT_PATH); lumbox itself is the windows
# preset in build-windows/, packed by CPack's ZIP generator. Every file
# built is the same wherever and whenever it is built (reproducible.sh):
# file names in the programs are relative to the source tree, SDL 2 and
# sdl12-compat carry the dates of their releases and lumbox that of its
# commit, and the zip lists its entries in order with fixed modes and times.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --windows
. scripts/reproducible.sh

host=x86_64-w64-mingw32
build=$PWD/build-windows
deps=$build/deps  # sources and builds of SDL 2 and sdl12-compat
prefix=$build/sdl
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

sdl2_package=libsdl2=2.26.5+dfsg-1
sdl12_release=release-1.2.76
sdl12_sha256=5fb6a3456bc1103ca8b5f70c9851c95ccd944976da2877c5b5a41117ea09622f
# Upstream's archive of the tag also holds the test programs' folder test/,
# which the pinned tarball leaves out; every other file is the same, and
# this is the SHA256 of their sorted sha256sum list (tree_digest below).
sdl12_tree=d236c46a47516cc65963c1ab490a5151d6b0914b752c6ea298b5c443fc84b881
sdl12_url=https://github.com/libsdl-org/sdl12-compat/archive/refs/tags/$sdl12_release.tar.gz

# What SDL is built from and how: a build made otherwise is made anew.
# release.sh lists it among the downloads' build information.
sdl_recipe="SDL 2: Debian's source package $sdl2_package
sdl12-compat: $sdl12_release, SHA256 $sdl12_sha256
Built: file names relative to the source tree, each dated by its release"
[ "$(cat "$prefix/recipe" 2>/dev/null)" = "$sdl_recipe" ] || rm -rf "$prefix"
# -ffile-prefix-map leaves no build path in the DLLs (__FILE__ included).
mapped=-ffile-prefix-map=$PWD/=

mkdir -p "$deps"

# tree_digest DIR: the SHA256 of every file's sha256sum under DIR but test/.
tree_digest() {
    (cd "$1" && find . -path ./test -prune -o -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) |
        sha256sum | cut -d' ' -f1
}

# SDL 2: Debian's source, with Debian's patches, cross-built with autotools
# (its test programs have a build of their own, which is left alone). Its
# configure script comes with the source.
if [ ! -f "$prefix/bin/SDL2.dll" ]; then
    apt=$deps/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$apt/sources.list.d/debian.sources"
    aptopts=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$apt/sources.list.d"
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    # As root apt hands its downloads to the user _apt, who may not write here.
    [ "$(id -u)" -ne 0 ] || aptopts+=(-o APT::Sandbox::User=root)
    apt-get -qq "${aptopts[@]}" update
    rm -rf "$deps/sdl2"
    mkdir "$deps/sdl2"
    (cd "$deps/sdl2" && apt-get -qq "${aptopts[@]}" source "$sdl2_package" >/dev/null)
    source=$(echo "$deps"/sdl2/libsdl2-*/)
    mkdir "$deps/sdl2/build"
    # SDL's own flags (-g -O3) and the map; the date of Debian's upload.
    (cd "$deps/sdl2/build" &&
        export SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$source/debian/changelog" -STimestamp)" &&
        "$source/configure" -q --host=$host --prefix="$prefix" --disable-static \
            CFLAGS="-g -O3 $mapped" LDFLAGS=-static-libgcc &&
        make -s -j"$jobs" && make -s install && $host-strip "$prefix/bin/SDL2.dll") >"$deps/sdl2/build.log" 2>&1 ||
        { tail -n 30 "$deps/sdl2/build.log" >&2; echo "windows.sh: SDL 2 did not build (log: $deps/sdl2/build.log)" >&2; exit 1; }
    mkdir -p "$prefix/licences"
    cp "$source/LICENSE.txt" "$prefix/licences/SDL2.txt"
fi

# sdl12-compat: the SDL 1.2 API over SDL 2, as lumbox has it on Linux.
if [ ! -f "$prefix/bin/SDL.dll" ]; then
    rm -rf "$deps/sdl12"
    mkdir "$deps/sdl12"
    tarball=${SDL12COMPAT_TARBALL:-}
    if [ -n "$tarball" ]; then
        echo "$sdl12_sha256  $tarball" | sha256sum --quiet -c - ||
            { echo "windows.sh: $tarball is not sdl12-compat $sdl12_release (SHA256 differs)" >&2; exit 1; }
    else
        tarball=$deps/sdl12/$sdl12_release.tar.gz
        curl -fsSL -o "$tarball" "$sdl12_url"
    fi
    tar -xzf "$tarball" -C "$deps/sdl12"
    source=$(echo "$deps"/sdl12/sdl12-compat-*/)
    [ "$(tree_digest "$source")" = "$sdl12_tree" ] ||
        { echo "windows.sh: the files of $tarball are not those of sdl12-compat $sdl12_release" >&2; exit 1; }
    # The release's date is its files' (the tag's commit time); the DLL
    # shows it as its build date (__DATE__, __TIME__).
    (export SOURCE_DATE_EPOCH="$(find "$source" -type f -printf '%T@\n' | sort -n | tail -n 1 | cut -d. -f1)"
        cmake -S "$source" -B "$deps/sdl12/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/windows/toolchain.cmake" \
            -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_C_FLAGS="$mapped" -DSDL2_INCLUDE_DIR="$prefix/include/SDL2" -DSDL12TESTS=OFF
        cmake --build "$deps/sdl12/build" -j"$jobs"
        cmake --install "$deps/sdl12/build" --strip) >"$deps/sdl12/build.log"
    cp "$source/LICENSE.txt" "$prefix/licences/sdl12-compat.txt"
    echo "$sdl_recipe" >"$prefix/recipe"
fi

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
zip=$(cd "$build" && cpack -G ZIP | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -f "$zip" ] || { echo "windows.sh: CPack wrote no zip" >&2; exit 1; }
# CPack lists the entries as the file system does, with the UT field's times.
strip-nondeterminism -t zip -T "$SOURCE_DATE_EPOCH" "$zip" >/dev/null
echo "$zip"
