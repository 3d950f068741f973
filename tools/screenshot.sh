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
source "$(dirname "$0")/xvfb-window.sh"

start_velbarino "$binary" QT_SCALE_FACTOR="$scale"
type_code 400638133393
sleep 0.5
import -window "$velbarino_window" "$output"
