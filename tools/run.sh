#!/usr/bin/env bash
# Starts the program built in the given build folder.
set -euo pipefail
build_dir=${1:-build}
binary="$build_dir/app/velbarino"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "No graphical display here (DISPLAY is not set): Velbarino is a desktop program." >&2
    echo "Run 'make run' from a desktop session, or on a virtual display: xvfb-run -a make run" >&2
    exit 1
fi
exec "$binary"
