#!/usr/bin/env bash
# The game against the floor (a bare SDL2 window through the same software path), in one run
# under one Xvfb, rounds interleaved, the first round discarded. Prints one table of medians.
# Usage: bench/peers.sh [build folder, default build/bench] [rounds, default 10]
# Needs: the bench preset built (cmake --preset bench && cmake --build --preset bench),
# xvfb and xdotool.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build/bench}" && pwd)
rounds=${2:-10}
game=$build/game/kesa-pegline
floor=$build/bench/FloorWindow
watch=$build/bench/MapWatch
for program in "$game" "$floor" "$watch"; do
    [[ -x "$program" ]] || { echo "peers.sh: $program is missing; build the bench preset" >&2; exit 1; }
done
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "peers.sh: needs xvfb and xdotool" >&2; exit 1; }

display=90
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
work=$(mktemp -d)
# -noreset: the server keeps its state when the last client leaves between two runs.
Xvfb ":$display" -noreset -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=":$display"
"$watch" --ready

# One run in a fresh working folder (the game writes Settings/ and log.txt where it stands).
measure() { # name, watch arguments...
    local name=$1 dir
    shift
    dir=$(mktemp -d "$work/run.XXXXXX")
    if ! (cd "$dir" && "$watch" "$@" >"$dir/figures" 2>"$dir/stderr"); then
        echo "peers.sh: $name failed: $(cat "$dir/stderr")" >&2
        exit 1
    fi
    [[ $round -eq 0 ]] || echo "$name $(cat "$dir/figures")" >>"$work/results"
    rm -rf "$dir"
}
for ((round = 0; round <= rounds; round++)); do
    [[ $round -eq 0 ]] && echo "round 0 (warm-up, discarded)" >&2 || echo "round $round of $rounds" >&2
    measure floor "$floor"
    measure game --answer "$game"
done

# Medians (and ranges) per program, then the game's ratio to the floor.
awk -v rounds="$rounds" '
function median(name, k,   n, i, j, t, a) {
    n = 0
    for (i = 1; i <= count[name]; i++) a[++n] = v[name, i, k]
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    lo[name, k] = a[1]; hi[name, k] = a[n]
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ count[$1]++; for (k = 2; k <= 5; k++) v[$1, count[$1], k] = $k }
END {
    for (p = 0; p < 2; p++) {
        name = p ? "game" : "floor"
        for (k = 2; k <= 5; k++) m[name, k] = median(name, k)
    }
    printf "%d runs each, medians (min-max); Xvfb 1280x1024x24\n\n", rounds
    printf "| %-22s | %-24s | %-24s | %-16s | %-24s |\n", "", "start-up to MapNotify", "resident 2 s after map", "CPU over 10 s idle", "exit after close"
    printf "|%s|%s|%s|%s|%s|\n", "------------------------", "--------------------------", "--------------------------", "------------------", "--------------------------"
    for (p = 0; p < 2; p++) {
        name = p ? "game" : "floor"
        label = p ? "kesa-pegline" : "floor (FloorWindow)"
        printf "| %-22s | %-24s | %-24s | %-16s | %-24s |\n", label,
            sprintf("%.1f ms (%.1f-%.1f)", m[name, 2], lo[name, 2], hi[name, 2]),
            sprintf("%.1f MiB (%.1f-%.1f)", m[name, 3] / 1024, lo[name, 3] / 1024, hi[name, 3] / 1024),
            sprintf("%d ms (%d-%d)", m[name, 4], lo[name, 4], hi[name, 4]),
            sprintf("%.1f ms (%.1f-%.1f)", m[name, 5], lo[name, 5], hi[name, 5])
    }
    s = m["game", 2] / m["floor", 2]
    r = (m["game", 3] - m["floor", 3]) / 1024
    printf "| %-22s | %-24s | %-24s | %-16s | %-24s |\n", "game vs floor",
        sprintf("%.2f x %s", s, s <= 1.15 ? "(<= 1.15: met)" : "(> 1.15: missed)"),
        sprintf("%+.1f MiB %s", r, r <= 5 ? "(<= +5: met)" : "(> +5: missed)"),
        sprintf("%d ms %s", m["game", 4], m["game", 4] == 0 ? "(met)" : "(missed)"),
        "(see below)"
    printf "\nexit after close: the floor from the WM_DELETE_WINDOW message to its exit; the game\n"
    printf "from the Return key (answering its quit question) reaching the window to its exit.\n"
}' "$work/results"
