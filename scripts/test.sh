#!/usr/bin/env bash
# Sets up what is missing (test tools included), builds lumbox with its
# tests and runs every test through CTest; then builds it once more with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit tests and
# the short end-to-end runs on that build. The builds are the presets of
# CMakePresets.json, in build-test/ and build-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
for preset in test sanitize; do
    cmake --workflow --preset "$preset"
done
