#!/usr/bin/env bash
# Starts the program built in the given build folder.
set -euo pipefail
build_dir=${1:-build}
binary="$build_dir/app/velbarino"
if [ ! -x "$binary" ]; then
    echo "The window is not built yet: only the check-digit engine and the window's logic exist so far ('make test' runs them)." >&2
    exit 1
fi
exec "$binary"
