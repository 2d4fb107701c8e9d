#!/usr/bin/env bash
# The game against the floor (a bare SDL2 window through the same software path), in one run
# under one Xvfb, rounds interleaved, the first round discarded. Prints one table of medians.
# Each run's figures (start-up ms, resident KiB, idle CPU ms, exit ms, first full frame ms) go
# to standard error.
# Usage: bench/peers.sh [build folder, default build/bench] [rounds, default 10] [other game]
# An other game binary (say, one built before a change) runs in the same rounds, as one more row.
# Needs: the bench preset built (cmake --preset bench && cmake --build --preset bench),
# xvfb and xdotool.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build/bench}" && pwd)
rounds=${2:-10}
game=$build/game/kesa-pegline
other=${3:-}
[[ -z "$other" || -x "$other" ]] || { echo "peers.sh: $other is not a program" >&2; exit 1; }
# Each run starts in a folder of its own: the other game is found from there too.
[[ -z "$other" ]] || other=$(cd "$(dirname "$other")" && pwd)/$(basename "$other")
floor=$build/bench/FloorWindow
watch=$build/bench/MapWatch
for program in "$game" "$floor" "$watch"; do
    [[ -x "$program" ]] || { echo "peers.sh: $program is missing; build the bench preset" >&2; exit 1; }
done
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "peers.sh: needs xvfb and xdotool" >&2; exit 1; }

display=90
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
work=$(mktemp -d)
# -noreset: the server keeps its state when the last client leaves between two runs. The game
# fills the display it finds; on one of 800 x 600 it draws at 1x, the same pixels as the floor,
# and the pixels read back below are where its screen puts them.
Xvfb ":$display" -noreset -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
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
    echo "  $name: $(cat "$dir/figures")" >&2
    [[ $round -eq 0 ]] || echo "$name $(cat "$dir/figures")" >>"$work/results"
    rm -rf "$dir"
}
# The first full frame: pixels of the finished picture, read back from the X server. The
# floor's is its one grey frame; the game's, pixels of its first board (banner, a secret
# peg's "?", the Info button, the board's frame at two heights, the form below the Attempts
# counter), all drawn only once the board is built.
floor_frame=(--pixel 0,0,555555 --pixel 400,300,555555 --pixel 799,599,555555)
game_frame=(--pixel 30,50,ffff00 --pixel 104,213,ff00ff --pixel 513,53,fffde5 --pixel 460,300,7f0000
            --pixel 560,572,7f0000 --pixel 140,369,fffde5)
for ((round = 0; round <= rounds; round++)); do
    [[ $round -eq 0 ]] && echo "round 0 (warm-up, discarded)" >&2 || echo "round $round of $rounds" >&2
    measure floor "${floor_frame[@]}" "$floor"
    measure game --answer "${game_frame[@]}" "$game"
    [[ -z "$other" ]] || measure other --answer "${game_frame[@]}" "$other"
done

# Medians (and ranges) per program; each game's ratio to the floor of the same rounds.
awk -v rounds="$rounds" -v other="$other" '
function median(name, k,   n, i, j, t, a) {
    n = 0
    for (i = 1; i <= count[name]; i++) a[++n] = v[name, i, k]
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    lo[name, k] = a[1]; hi[name, k] = a[n]
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
function row(a, b, c, d, e, f) { printf "| %-28s | %-28s | %-28s | %-28s | %-24s | %-24s |\n", a, b, f, c, d, e }
{ if (!($1 in count)) names[++programs] = $1; count[$1]++; for (k = 2; k <= 6; k++) v[$1, count[$1], k] = $k }
END {
    label["floor"] = "floor (FloorWindow)"; label["game"] = "kesa-pegline"; label["other"] = "kesa-pegline (other)"
    printf "%d runs each, rounds interleaved, medians (min-max); Xvfb 800x600x24\n", rounds
    if (other != "") printf "other: %s\n", other
    printf "\n"
    row("", "start-up to MapNotify", "resident 2 s after map", "CPU over 10 s idle", "exit after close", "first full frame")
    printf "|%s|%s|%s|%s|%s|%s|\n", "------------------------------", "------------------------------", "------------------------------", "------------------------------", "--------------------------", "--------------------------"
    for (p = 1; p <= programs; p++) {
        name = names[p]
        for (k = 2; k <= 6; k++) m[name, k] = median(name, k)
        row(label[name], sprintf("%.1f ms (%.1f-%.1f)", m[name, 2], lo[name, 2], hi[name, 2]),
            sprintf("%.1f MiB (%.1f-%.1f)", m[name, 3] / 1024, lo[name, 3] / 1024, hi[name, 3] / 1024),
            sprintf("%d ms (%d-%d)", m[name, 4], lo[name, 4], hi[name, 4]),
            sprintf("%.1f ms (%.1f-%.1f)", m[name, 5], lo[name, 5], hi[name, 5]),
            sprintf("%.1f ms (%.1f-%.1f)", m[name, 6], lo[name, 6], hi[name, 6]))
    }
    for (p = 1; p <= programs; p++) {
        name = names[p]
        if (name == "floor") continue
        s = m[name, 2] / m["floor", 2]
        f = m[name, 6] / m["floor", 6]
        r = (m[name, 3] - m["floor", 3]) / 1024
        row(label[name] " / floor", sprintf("%.2f x", s),
            sprintf("%+.1f MiB %s", r, r <= 3 ? "(target +3: met)" : "(target +3: missed)"),
            sprintf("%d ms %s", m[name, 4], m[name, 4] == 0 ? "(target 0: met)" : "(target 0: missed)"), "",
            sprintf("%.2f x %s", f, f <= 1.15 ? "(target 1.15: met)" : "(target 1.15: missed)"))
    }
    printf "\nExit after close: the floor from the WM_DELETE_WINDOW message to its exit; the game from\n"
    printf "the Return key that answers its quit question reaching the window to its exit.\n"
}' "$work/results"
