#!/usr/bin/env bash
# Runs the whole program from start to exit (kesa_leak_run: scripted input, dummy video and
# audio drivers) under valgrind's memcheck in a fresh working directory. Fails on any memory
# error and on any definite or indirect leak.
# Usage: run-valgrind.sh [path of kesa_leak_run]   (default: build/default/tests/kesa_leak_run)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="$(realpath "${1:-$here/../../build/default/tests/kesa_leak_run}")"
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/kesa-leaks-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
suppressions=()
[[ -f "$here/valgrind.supp" ]] && suppressions=(--suppressions="$here/valgrind.supp")

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KESA_LEAK_STEP_MS="${KESA_LEAK_STEP_MS:-1500}" \
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --num-callers=30 \
    "${suppressions[@]}" "$program"
