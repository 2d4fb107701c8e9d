#!/usr/bin/env bash
# Installs what is missing, builds the whole project and runs every test, twice:
# a warnings-as-errors build, then the same under AddressSanitizer and UBSan; last, the
# tests that run a second thread (the sound output's) under ThreadSanitizer; then the web
# page, built and played in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== format: every C and C++ source as .clang-format has it"
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

jobs=$(nproc)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for preset in ci ci-asan; do
    echo "== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset: test"
    ctest --preset "$preset" -j "$jobs"
done
echo "== tsan: configure, build and test"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
echo "== web: build the page and play it in headless Chromium"
KESA_PICTURE_GENERATOR="$PWD/build/ci/tools/kesa_picture_generator" scripts/web.sh --build-only
# Debian's python, which has the selenium module python3-selenium installs.
(cd build/web-build && /usr/bin/python3 ../../tests/web/play-in-browser.py ../web)
echo "All tests passed."
