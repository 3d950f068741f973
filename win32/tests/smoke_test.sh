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
compute_and_close_wine_window
echo "PASS: typed a code under Wine, closed the window, exit status 0"
