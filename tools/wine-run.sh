#!/usr/bin/env bash
# Runs a Windows program under Wine: the test runner of the Windows build.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]. The prefix is made on first
# use (about 10 s), once, even when tests start in parallel.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko download prompts
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || { "$wine" wineboot --init && "$(dirname "$wine")/wineserver" --wait; } >/dev/null 2>&1
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
