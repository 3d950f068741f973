#!/usr/bin/env bash
# Starts the program built in the given build folder.
set -euo pipefail
build_dir=${1:-build}
binary="$build_dir/app/velbarino"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "No graphical display here (DISPLAY is not set), so the window cannot be shown." >&2
    echo "Velbarino is built; from a desktop session, start it with:" >&2
    echo "    $(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")" >&2
    exit 1
fi
exec "$binary"
