#!/usr/bin/env bash
# Sets up what is missing, builds lumbox and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLUMBOX_TESTS=OFF
cmake --build build -j"$(nproc)"
exec build/viewer/lumbox
