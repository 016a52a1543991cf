#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what is missing and builds lumbox for the browser in build-web/
# through Emscripten's emcmake; then serves its page, the folder
# build-web/page/ that holds only the page's files, on
# http://127.0.0.1:PORT/ (8000 unless given) until interrupted. Only this
# machine can reach it; as an address of this machine, it counts as secure,
# so the page's service worker runs there as it does on https.
#   scripts/web.sh [PORT]   build and serve
#   scripts/web.sh --build  build only (the test command and the benchmark)
set -euo pipefail
cd "$(dirname "$0")/.."
usage() { echo "usage: $0 [PORT | --build]   (PORT: 1 to 65535, 8000 unless given)" >&2; exit 2; }
[ $# -le 1 ] || usage
port=${1:-8000}
# A port is a whole number from 1 to 65535, checked before anything is built.
if [ "$port" != --build ]; then
    [[ "$port" =~ ^[1-9][0-9]{0,4}$ ]] && [ "$port" -le 65535 ] || usage
fi
scripts/setup.sh --web
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
[ "$port" = --build ] && exit 0
echo "lumbox: open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web/page "$port"
