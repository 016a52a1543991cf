#!/usr/bin/env bash
# Sets up what is missing, builds lumbox for the browser in build-web/ and
# serves its page on http://127.0.0.1:PORT/ (8000 unless given) until
# interrupted. Only this machine can reach it.
#   scripts/web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8000}
scripts/setup.sh --web
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)"
echo "lumbox: open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web/web "$port"
