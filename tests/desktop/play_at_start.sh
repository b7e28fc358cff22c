#!/usr/bin/env bash
# `roamer --play samples/default.vol` on a display of its own: the 3D frame comes up playing
# the first design of the list. Usage: play_at_start.sh ROAMER SAMPLES_PARENT SCREENSHOT
set -euo pipefail
roamer=$1 parent=$2 screenshot=${3:-}
cd "$parent"
"$roamer" --play samples/default.vol &
player=$!
trap 'kill "$player" 2>/dev/null || true; wait "$player" 2>/dev/null || true' EXIT
# The first entry of default.vol is 客廳.dsg: the frame's title names it while it plays.
for _ in $(seq 300); do
  if xdotool search --name '^Roamer-客廳-播放中$' >/dev/null 2>&1; then
    if [ -n "$screenshot" ]; then sleep 2; import -window root "$screenshot"; fi
    echo "playing 客廳"
    exit 0
  fi
  kill -0 "$player" 2>/dev/null || { echo "FAIL: roamer ended" >&2; exit 1; }
  sleep 0.1
done
echo "FAIL: no frame titled Roamer-客廳-播放中; windows: $(xdotool search --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
exit 1
