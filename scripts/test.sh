#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing (test tools included), builds the Windows zip
# (scripts/windows.sh), builds lumbox with its tests and runs every test
# through CTest, the zip's under Wine among them; builds the web version and runs
# its page in headless Chromium; then builds the desktop once more with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit tests and
# the short end-to-end runs on that build. The desktop builds are the presets
# of CMakePresets.json, in build-test/ and build-sanitize/; the web build
# (scripts/web.sh --build) is in build-web/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
scripts/windows.sh
cmake --workflow --preset test

scripts/web.sh --build
ctest --test-dir build-web --output-on-failure

cmake --workflow --preset sanitize
