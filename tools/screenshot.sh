#!/usr/bin/env bash
# Takes a screenshot of the window after a computation, on a virtual X display.
# Usage: tools/screenshot.sh BINARY OUTPUT.png [SCALE]   (SCALE 2 for 200%)
set -euo pipefail
binary=$1
output=$2
scale=${3:-1}
if [ -z "${VELBARINO_SHOT_INNER:-}" ]; then
    VELBARINO_SHOT_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$binary" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Velbarino$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "no window" >&2; exit 1; }
xdotool key --window "$window" Tab 2>/dev/null
xdotool type --window "$window" --delay 20 400638133393 2>/dev/null
xdotool key --window "$window" Return 2>/dev/null
sleep 0.5
import -window "$window" "$output"
