#!/usr/bin/env bash
# roamer --version, --help-all and usage errors, answered without a display, and a clear refusal
# where the player cannot be shown: roamer_options.sh ROAMER VERSION
set -uo pipefail
roamer=$1 version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$("$roamer" --version) || fail "--version exited $?"
[ "$out" = "roamer $version" ] || fail "--version printed: $out"
out=$("$roamer" -h) || fail "-h exited $?"
grep -q -- '--version' <<< "$out" || fail "-h printed: $out"
err=$("$roamer" --bogus 2>&1 >/dev/null); status=$?
[ $status -eq 2 ] || fail "an unknown option exited $status"
grep -q "bogus" <<< "$err" || fail "an unknown option said: $err"

# Qt's own options are let through for QApplication, in either dash form, and --help-all lists
# them beside the player's; one without its value is still a usage error.
out=$("$roamer" -platform offscreen -style fusion --reverse --qwindowtitle T --version) \
  || fail "Qt's options were refused: exit $?"
[ "$out" = "roamer $version" ] || fail "with Qt's options --version printed: $out"
out=$("$roamer" --help-all) || fail "--help-all exited $?"
for option in --play --platform --style --display --qwindowgeometry; do
  grep -q -- "$option" <<< "$out" || fail "--help-all does not list $option: $out"
done
grep -q -- '--platform' <<< "$("$roamer" --help)" && fail "--help lists Qt's options"
"$roamer" -style 2>/dev/null; status=$?
[ $status -eq 2 ] || fail "-style without a style exited $status"

# Where the player cannot be shown it says why and ends, rather than Qt aborting or crashing:
# no display at all, one that is not there, or a platform without OpenGL windows.
sample=$(dirname "$0")/../../samples/default.vol
err=$("$roamer" "$sample" 2>&1); status=$?
[ $status -eq 1 ] || fail "without a display the player exited $status: $err"
grep -q "no display" <<< "$err" || fail "without a display the player said: $err"
err=$("$roamer" -platform offscreen "$sample" 2>&1); status=$?
[ $status -eq 1 ] || fail "on the offscreen platform the player exited $status: $err"
grep -q "'offscreen' cannot show" <<< "$err" || fail "on the offscreen platform it said: $err"
err=$(DISPLAY=:987 "$roamer" "$sample" 2>&1); status=$?
[ $status -eq 1 ] || fail "with a display that is not there the player exited $status: $err"
grep -q "display could not be opened" <<< "$err" || fail "with a display not there it said: $err"
echo "options answered"
