#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the pictures of the documentation into docs/pictures/ (or the
# folder given), with the Mesa version that made them; the golden-picture
# test (tests/e2e/pictures.sh, which does the rendering) compares them
# with fresh ones.
#   scripts/pictures.sh [OUTPUT_DIR]
set -euo pipefail
# A folder given is taken from where the script was called, before it
# moves to the project folder.
out=${1:+$(realpath -m -- "$1")}
cd "$(dirname "$0")/.."
out=${out:-docs/pictures}

scripts/setup.sh --test
cmake --preset test >/dev/null
cmake --build --preset test --target lumbox framehook -j"$(nproc)" >/dev/null
LUMBOX=$PWD/build-test/viewer/lumbox FRAMEHOOK=$PWD/build-test/tools/framehook.so \
    bash tests/e2e/pictures.sh --write "$out"
