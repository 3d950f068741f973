#!/usr/bin/env bash
# Runs screen_reader.py on a virtual X display, inside a D-Bus session of its
# own with the AT-SPI bus started before the program, as a desktop has it.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VELBARINO_A11Y_INNER:-}" ]; then
    VELBARINO_A11Y_INNER=1 exec xvfb-run -a -s "-screen 0 800x600x24" dbus-run-session -- "$0" "$@" 2> >(grep -v -E 'dbus-daemon|SpiRegistry|XDG_RUNTIME' >&2)
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true' EXIT
sleep 0.5
/usr/bin/python3 "$here/screen_reader.py" "$binary"
