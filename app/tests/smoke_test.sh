#!/usr/bin/env bash
# Starts the real program on a virtual X display with a window manager, checks
# that its fixed-size window asks for no maximize button, computes a check
# digit with real keystrokes, closes the window with Alt+F4 (the window
# manager's close request), and expects the program to end at once with
# status 0.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${VELBARINO_SMOKE_INNER:-}" ]; then
    VELBARINO_SMOKE_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" "$0" "$@"
fi
# shellcheck source=../../tools/xvfb-window.sh
source "$here/../../tools/xvfb-window.sh"
start_window_manager

start_velbarino "$binary"
# Motif hints: flags, functions, decorations; decoration 0x40 is the maximize button.
decorations=$(xprop -id "$velbarino_window" _MOTIF_WM_HINTS | sed 's/.*= //' | cut -d, -f3)
if [ -z "$decorations" ] || (( decorations & 0x40 )); then
    echo "FAIL: the window asks for a maximize button (Motif decorations: ${decorations:-none})"
    exit 1
fi
type_code 400638133393
sleep 0.3
kill -0 "$velbarino_pid" 2>/dev/null || { echo "FAIL: the program died while computing"; exit 1; }

xdotool windowactivate --sync "$velbarino_window" key alt+F4
expect_exit_zero
echo "PASS: typed a code, closed the window, exit status 0"
