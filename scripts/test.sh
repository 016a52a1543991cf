#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing (test tools included), builds every download
# (scripts/release.sh: the Debian packages for this machine, arm64 and
# armhf, the Windows zip and the web page) while it makes the bare Debian
# roots that the packages are installed in, builds lumbox with its tests
# and runs every test through CTest, among them the zip's under Wine, the
# ARM builds' under qemu, the checks of the downloads folder and the
# packages' installs on the bare roots; runs the web page in headless
# Chromium; then builds the desktop once more with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the unit tests and the short
# end-to-end runs on that build. The desktop builds are the presets of
# CMakePresets.json, in build-test/ and build-sanitize/; the web build
# (scripts/web.sh --build) is in build-web/, the roots in build-roots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
# The bare Debian roots that the packages are installed in (dist.bare.*)
# take minutes to make, mostly waiting on the archive and on qemu: they are
# made while the downloads build. Where that fails, the tests say why.
ROOTS=$PWD/build-roots bash tests/dist/bare.sh roots amd64 arm64 armhf &
roots=$!
scripts/release.sh
wait "$roots" || true
cmake --workflow --preset test

ctest --test-dir build-web --output-on-failure

cmake --workflow --preset sanitize
