#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing and builds lumbox for the browser in build-web/
# through Emscripten's emcmake; then serves its page, the folder
# build-web/page/ that holds only the page's three files, on
# http://127.0.0.1:PORT/ (8000 unless given) until interrupted. Only this
# machine can reach it.
#   scripts/web.sh [PORT]   build and serve
#   scripts/web.sh --build  build only (the test command and the benchmark)
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}
scripts/setup.sh --web
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
[ "$port" = --build ] && exit 0
echo "lumbox: open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web/page "$port"
