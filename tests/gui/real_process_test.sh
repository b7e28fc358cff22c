#!/usr/bin/env bash
# A user's run of the real program: roamer started on this display from a copy of the samples,
# driven only with synthetic X input, and checked on screenshots of the whole screen: the panel
# at the top-left, the room in the 3D window, and the program ending with its close button.
#   real_process_test.sh ROAMER SAMPLES_FOLDER SCREENSHOT_FOLDER
set -euo pipefail
roamer=$1 samples=$2 shots=$3
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$samples"/. "$work"
mkdir -p "$shots"
fail() { echo "real_process_test: $*" >&2; import -window root "$shots/real_process_failure.png" || true; exit 1; }

# Waits for a window whose title matches the pattern; prints its id.
wait_window() {
  for _ in $(seq 100); do
    if id=$(xdotool search --name "$1" 2>/dev/null | head -n1) && [[ -n $id ]]; then
      echo "$id"; return 0
    fi
    sleep 0.1
  done
  return 1
}
# The standard deviation (0..1) and mean (0..1) of a part of a picture.
spread() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:standard_deviation] %[fx:mean]\n' info:; }

cd "$work"
"$roamer" & pid=$!
wait_window '^Roamer$' >/dev/null || fail "the player window did not appear"
sleep 0.5

# The open-play-list button on the panel; the dialog offers default.vol in the samples.
xdotool mousemove 135 24 click 1
dialog=$(wait_window '開啟播放表') || fail "the open dialog did not appear"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key Return
wait_window '準備播放' >/dev/null || fail "the 3D window did not open"

# Play.
xdotool mousemove 194 132 click 1
wait_window '^Roamer-客廳-播放中$' >/dev/null || fail "playback did not start"
sleep 1.5
import -window root "$shots/real_process.png"

read -r panelSpread _ < <(spread "$shots/real_process.png" 250x165+0+0)
read -r roomSpread roomMean < <(spread "$shots/real_process.png" 600x440+500+380)
awk -v s="$panelSpread" 'BEGIN { exit !(s > 0.05) }' || fail "no panel at the top-left ($panelSpread)"
awk -v s="$roomSpread" -v m="$roomMean" 'BEGIN { exit !(s > 0.05 && m > 0.15) }' ||
  fail "no room in the 3D window ($roomSpread, $roomMean)"

# The 3D window takes the keyboard beside the modal player: a click in it, then a walk.
xdotool mousemove 800 600 click 1
sleep 0.3
import -window root "$work/before.png"
xdotool key --delay 80 Up Up Up Left Left
sleep 0.5
import -window root "$work/after.png"
changed=$(compare -metric AE -fuzz 5% "$work/before.png" "$work/after.png" null: 2>&1 || true)
awk -v c="${changed%% *}" 'BEGIN { exit !(c > 20000) }' || fail "the walk did not change the picture ($changed)"

# The close button ends the program.
xdotool mousemove 203 31 click 1
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the player did not end with its window"
wait "$pid" || fail "the player ended with a failure"
echo "real_process_test: panel $panelSpread, room $roomSpread / $roomMean, walk $changed pixels"
