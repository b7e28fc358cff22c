#!/usr/bin/env bash
# The rerun wrapper runs a test again only when the leak checker itself crashed after the tests
# passed; a failed test, a leak report or a crash the second time stands.
set -u
wrapper=$(dirname "$0")/rerun-after-leak-checker-crash
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# fake STATUS1 STATUS2 TEXT: a test program that prints TEXT and exits with STATUS1 on its first
# run and STATUS2 after; it counts its runs in $work/runs.
fake() {
    cat > "$work/fake" <<SCRIPT
#!/usr/bin/env bash
echo run >> "$work/runs"
printf '%b\n' "$3"
[ \$(wc -l < "$work/runs") -eq 1 ] && exit $1
exit $2
SCRIPT
    chmod +x "$work/fake"
    rm -f "$work/runs"
}
expect() {  # expect STATUS RUNS: what the wrapper gave, and how often the program ran
    "$wrapper" "$work/fake" > "$work/out" 2>&1
    local status=$? runs
    runs=$(wc -l < "$work/runs")
    if [ "$status" -ne "$1" ] || [ "$runs" -ne "$2" ]; then
        echo "FAILED: $CASE: exit $status after $runs runs, expected exit $1 after $2"
        failures=$((failures + 1))
    fi
}
crash='[  PASSED  ] 3 tests.\nTracer caught signal 11: addr=0x1780\n==1==LeakSanitizer has encountered a fatal error.'

CASE="checker crash, then a clean run"; fake 1 0 "$crash"; expect 0 2
CASE="checker crash twice"; fake 1 1 "$crash"; expect 1 2
CASE="a failed test"; fake 1 0 "[  FAILED  ] A.B\n$crash"; expect 1 1
CASE="a leak report"; fake 23 0 "ERROR: LeakSanitizer: detected memory leaks\n$crash"; expect 23 1
CASE="undefined behaviour"; fake 1 0 "x.cpp:3:5: runtime error: signed integer overflow"; expect 1 1
CASE="a pass"; fake 0 1 "[  PASSED  ] 3 tests."; expect 0 1
exit $((failures > 0))
