#!/usr/bin/env bash
# Sets up what is missing (test tools included), builds lumbox with its
# tests and runs every test through CTest; builds the web version and runs
# its page in headless Chromium; then builds the desktop once more with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit tests and
# the short end-to-end runs on that build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMBOX_TESTS=ON
cmake --build build-test -j"$(nproc)"
(cd build-test && ctest --output-on-failure -j2)

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
ctest --test-dir build-web --output-on-failure

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMBOX_TESTS=ON -DLUMBOX_SANITIZE=ON
cmake --build build-sanitize -j"$(nproc)"
cd build-sanitize
ctest --output-on-failure -j2
