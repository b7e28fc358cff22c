#!/usr/bin/env bash
# roamer --version and usage errors, answered without a display: roamer_options.sh ROAMER VERSION
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
echo "options answered"
