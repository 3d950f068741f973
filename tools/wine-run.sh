#!/usr/bin/env bash
# Runs a Windows program under Wine: the test runner of the Windows builds.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]. A 32-bit program file runs on
# Wine's 32-bit loader, anything else (a 64-bit file, or a program that Wine
# carries, such as msiexec) on the 64-bit one; both share the prefix. The
# prefix is made on first use (about 10 s), once, even when tests start in
# parallel.
# wine-run.sh --can-run-32-bit: succeeds when Wine's 32-bit loader starts here;
# a kernel without 32-bit support (seen on a virtual machine) cannot exec it.
set -euo pipefail
if [ "${1:-}" = --can-run-32-bit ]; then
    exec /usr/lib/wine/wine --version >/dev/null 2>&1
fi
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
# No Mono or Gecko download prompts, and no launchers written into the host's
# menus for the shortcuts that an installer creates.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wine=$wine64
# The machine field of a PE file's header: 014c for i386.
if [ -f "$1" ] && [ "$(head -c 2 "$1")" = MZ ]; then
    header=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
    if [ "$(od -An -tx2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')" = 014c ]; then
        wine=$(dirname "$(readlink -f "$wine64")")/wine
        [ -x "$wine" ] || wine=/usr/lib/wine/wine
    fi
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || { "$wine64" wineboot --init && "$(dirname "$(readlink -f "$wine64")")/wineserver" --wait; } >/dev/null 2>&1
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
