#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing (test tools included), builds every download
# (scripts/release.sh: the Debian packages for this machine, arm64 and
# armhf, the Windows zip and the web page), builds lumbox with its tests
# and runs every test through CTest, among them the zip's under Wine, the
# ARM builds' under qemu and the checks of the downloads folder; runs the
# web page in headless Chromium; then builds the desktop once more with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit tests and
# the short end-to-end runs on that build. The desktop builds are the presets
# of CMakePresets.json, in build-test/ and build-sanitize/; the web build
# (scripts/web.sh --build) is in build-web/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
scripts/release.sh
cmake --workflow --preset test

ctest --test-dir build-web --output-on-failure

cmake --workflow --preset sanitize
