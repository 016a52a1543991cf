#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing, builds lumbox and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)"
exec build/viewer/lumbox
