#!/usr/bin/env bash
# Builds Kesa Pegline as a web page into build/web/ (index.html, kesa-pegline.js and
# kesa-pegline.wasm: all a static web host needs) and serves that folder at
# http://127.0.0.1:8000/ (PORT changes the port). --build-only only builds.
# The build runs the picture generator natively: KESA_PICTURE_GENERATOR names one already
# built, otherwise the build makes its own.
set -euo pipefail
cd "$(dirname "$0")/.."

build_only=0
case "${1:-}" in
    --build-only) build_only=1 ;;
    "") ;;
    *) echo "usage: $0 [--build-only]" >&2; exit 2 ;;
esac

scripts/setup.sh
cmake --preset web ${KESA_PICTURE_GENERATOR:+"-DKESA_PICTURE_GENERATOR=$KESA_PICTURE_GENERATOR"} >/dev/null
cmake --build --preset web -j "$(nproc)"
((build_only)) && exit 0

port="${PORT:-8000}"
echo "Kesa Pegline at http://127.0.0.1:$port/ (Ctrl-C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
