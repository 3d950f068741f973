#!/usr/bin/env bash
# What a newcomer meets at the two commands: 'make run' with no display ends
# with a plain message and status 1 from tools/run.sh, naming the program it
# built; 'sudo make run' (or test, web) is refused before anything is
# installed, while 'only' (for make test-debian13, which needs root) is not.
# Usage: newcomer_test.sh BUILD_DIR
set -uo pipefail
tools=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() { if "${@:2}"; then echo "ok    $1"; else echo "FAIL  $1"; failures=$((failures + 1)); fi; }

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tools/run.sh" "$1" >"$scratch/out" 2>&1
check "no display: status 1" test $? -eq 1
check "no display: said plainly" grep -q "No graphical display here" "$scratch/out"
named=$(sed -n 's/^    //p' "$scratch/out")
check "no display: the command named is the program built ($named)" test -x "$named" -a "$named" -ef "$1/app/velbarino"

# Stand-ins that record any attempt to install, with every package missing.
mkdir -p "$scratch/bin"
for tool in apt-get sudo dpkg; do printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$scratch" >"$scratch/bin/$tool"; done
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"
chmod +x "$scratch/bin"/*
if [ "$(id -u)" -ne 0 ]; then
    echo "not checked here: the refusal under sudo (needs root, as sudo gives)"
else
    for set in run test web; do
        SUDO_USER=nobody PATH=$scratch/bin:$PATH "$tools/install-deps.sh" "$set" >"$scratch/out" 2>&1
        check "under sudo, '$set' is refused, saying to run make as yourself" grep -q "Run make as yourself" "$scratch/out"
    done
    check "under sudo, nothing was installed" test ! -e "$scratch/calls"
    SUDO_USER=nobody PATH=$scratch/bin:$PATH "$tools/install-deps.sh" only debootstrap >/dev/null 2>&1
    check "under sudo, 'only' installs what it names" grep -q "apt-get install .* debootstrap" "$scratch/calls"
fi
[ "$failures" -eq 0 ] && echo "PASS: what a newcomer meets at the two commands"
