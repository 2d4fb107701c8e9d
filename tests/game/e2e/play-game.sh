#!/usr/bin/env bash
# Plays Kesa Pegline under an X server as a person would, with xdotool: run by GamePlayTest
# inside xvfb-run. Usage: play-game.sh <game> <work folder>. The work folder holds the saved
# game the test prepared; screenshots (F12) go to <work>/shots, exit statuses to <work>/status.
set -uo pipefail
game="$1"
work="$2"
mkdir -p "$work/shots"
cd "$work"
export KESA_SCREENSHOT_DIR="$work/shots" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

pause() { sleep "${1:-0.6}"; }
start() {
    "$game" >>"$work/stdout.txt" 2>&1 &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Kesa Pegline' | head -1)
    [[ -n "$window" ]] || { echo "no window" >>"$work/status"; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    pause 1
}
# The game fills the display, a 4:3 one here (WIDTH x HEIGHT); this is the window pixel at the
# centre of the span that screen pixel ($1, $2) of 800 x 600 covers.
at() { echo $(((2 * $1 + 1) * WIDTH / 1600)) $(((2 * $2 + 1) * HEIGHT / 1200)); }
click() { xdotool mousemove --window "$window" $(at "$1" "$2") click 1; pause; }
key() { xdotool key "$@"; pause; }
shot() { xdotool key F12; pause 0.4; }
# Selector k (1..4) clicked n times.
selector() { for ((i = 0; i < $2; i++)); do click $((80 + 51 * ($1 - 1) + 24)) 265; done; }
go() { click 128 328; }
cancel() { click 235 328; }
info() { click 514 52; }
exitButton() { click 624 52; }
finish() { wait "$pid"; echo "exit $?" >>"$work/status"; }

start
shot                                   # 1: the saved game restored
selector 1 3; selector 2 1; shot       # 2: selectors 3 and 1
go; shot                               # 3: 3100 scored, selectors back to 0
code=$(head -c 4 Settings/KesaPegline.exe/dati/Pegline_Code)
for k in 1 2 3 4; do selector "$k" "${code:$((k - 1)):1}"; done
go; shot                               # 4: the win message over the solved board
key Return; shot                       # 5: the won game
go; shot                               # 6: a new game
info; shot                             # 7: the about window
key Escape
cancel; shot                           # 8: the give-up question
key Escape
exitButton; key Escape                 # the quit question answered no
xdotool mousemove --window "$window" $(at 30 4) mousedown 3; pause
shot                                   # 9: the menu open by the right button
xdotool mouseup 3; pause
key alt+e; key Escape                  # Alt+E asks to quit; no
cancel; key Return; shot               # 10: given up: the hidden code shown
exitButton; key Return                 # yes: the program ends
finish
start
shot                                   # 11: the next start finds the same game
key alt+e; key Return
finish
