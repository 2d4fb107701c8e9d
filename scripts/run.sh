#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. The game keeps its saved
# game and log in a per-user state directory, not wherever it was started from.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

game="$root/build/default/game/kesa-pegline"
if [[ ! -x "$game" ]]; then
    echo "The game itself is not built yet; the toolkit and platform build and test." >&2
    echo "Try build/default/platform/platform-demo to see the platform layer." >&2
    exit 0
fi

state="${XDG_STATE_HOME:-$HOME/.local/state}/kesa-pegline"
mkdir -p "$state"
cd "$state"
exec "$game"
