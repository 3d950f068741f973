#!/usr/bin/env bash
# Starts velbarino.exe under Wine on a virtual X display, types a body and
# Enter with xdotool, closes the window with Alt+F4, and expects the program
# to end with status 0.
# Usage: smoke_test.sh COMMAND... (the command that starts the program)
set -euo pipefail
if [ -z "${VELBARINO_SMOKE_INNER:-}" ] && [ -z "${DISPLAY:-}" ]; then
    VELBARINO_SMOKE_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../tools/xvfb-window.sh
source "$here/../../tools/xvfb-window.sh"
start_program 30 "$@"
sleep 0.5
xdotool key Tab
xdotool type --delay 30 400638133393
xdotool key Return
sleep 0.5
kill -0 "$velbarino_pid" 2>/dev/null || { echo "FAIL: the program died while computing"; exit 1; }
xdotool key alt+F4
expect_exit_zero
echo "PASS: typed a code under Wine, closed the window, exit status 0"
