#!/usr/bin/env bash
# What a newcomer meets at 'make run' with no display: status 1 from
# tools/run.sh, and a message that names the program it built.
# Usage: newcomer_test.sh BUILD_DIR
set -uo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() { if "${@:2}"; then echo "ok    $1"; else echo "FAIL  $1"; failures=$((failures + 1)); fi; }

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tools/run.sh" "$1" >"$scratch/out" 2>&1
check "no display: status 1" test $? -eq 1
named=$(sed -n 's/^    //p' "$scratch/out")
check "no display: the command named is the program built ($named)" test -x "$named" -a "$named" -ef "$1/app/velbarino"

[ "$failures" -eq 0 ] && echo "PASS: make run without a display names the program it built"
