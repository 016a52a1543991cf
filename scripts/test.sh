#!/usr/bin/env bash
# Sets up what is missing (test tools included), builds lumbox with its
# tests and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMBOX_TESTS=ON
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j2
