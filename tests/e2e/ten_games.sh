#!/usr/bin/env bash
# Ten games on a real X server, dealt by Space: the first ten win six times (games 1 to 5
# and 8), so exactly six bells ring. Then "Beenden" ends the program with status 0.
# The game is started with Qt's own options, which it must ignore: its title stays "Form1", and
# "Beenden" stays on the left, where the click finds it.
#   ten_games.sh PROGRAM BELL_COUNTER
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
trap stop_all EXIT
program=$1 counter=$2
bells=$(mktemp)
GAME_LOG=$(mktemp)

start_xvfb
start_bell_counter "$counter" "$bells"

start_game "$program" -qwindowtitle Fremd -reverse -style fusion
title=$(xdotool getwindowname "$GAME_WINDOW")
[ "$title" = Form1 ] || { echo "window title '$title', expected Form1" >&2; exit 1; }
for _ in $(seq 10); do
    xdotool key --window "$GAME_WINDOW" --clearmodifiers space
    sleep 0.1
done
sleep 0.5
count=$(grep -c '^bell$' "$bells" || true)
echo "bells after ten games: $count"
[ "$count" -eq 6 ] || { echo "expected 6 bells" >&2; exit 1; }

click_at 76 136 # "Beenden"
wait_exit 1
echo "exit status after Beenden: $GAME_STATUS"
[ "$GAME_STATUS" = 0 ] || { cat "$GAME_LOG" >&2; exit 1; }
