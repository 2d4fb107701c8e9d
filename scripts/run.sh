#!/usr/bin/env bash
# Installs what is missing, builds the game (only the game: not the tests or benchmarks) and
# starts it. The game keeps its saved game and log in a per-user state directory, not
# wherever it was started from.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup.sh
# Ninja re-runs the configuration itself when a CMake file changed; configure only once.
if [[ ! -f build/default/build.ninja ]]; then
    cmake --preset default >/dev/null
fi
cmake --build --preset default --target kesa-pegline -j "$(nproc)"

state="${XDG_STATE_HOME:-$HOME/.local/state}/kesa-pegline"
mkdir -p "$state"
cd "$state"
exec "$root/build/default/game/kesa-pegline"
