#!/usr/bin/env bash
# Starts velbarino.exe under Wine on a virtual X display, types a body and
# Enter with xdotool, closes the window with Alt+F4, and expects the program
# to end with status 0.
# Usage: smoke_test.sh WINE_RUN PREFIX EXE
set -euo pipefail
if [ -z "${VELBARINO_SMOKE_INNER:-}" ] && [ -z "${DISPLAY:-}" ]; then
    VELBARINO_SMOKE_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" "$0" "$@"
fi
wine_run=$1
prefix=$2
exe=$3
"$wine_run" "$prefix" "$exe" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=""
for _ in $(seq 1 300); do
    window=$(xdotool search --onlyvisible --name '^Velbarino$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended before showing its window"; exit 1; }
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window titled Velbarino"; exit 1; }
sleep 0.5
xdotool key Tab
xdotool type --delay 30 400638133393
xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program died while computing"; exit 1; }
xdotool key alt+F4
status=0
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the program is still running after the close request"
    exit 1
fi
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status after the close request"; exit 1; }
echo "PASS: typed a code under Wine, closed the window, exit status 0"
