#!/usr/bin/env bash
# What a newcomer meets at the two commands, outside the program:
# - 'make run' with no display ends with a plain message and status 1 from
#   tools/run.sh, naming a command that starts the program it built;
# - 'sudo make run' (or test) is refused before anything is installed or
#   built, while 'only' (what make test-debian13, which needs root, installs)
#   is not.
# Usage: newcomer_test.sh BUILD_DIR
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {  # NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; failures=$((failures + 1)); fi
}

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$source_dir/tools/run.sh" "$build_dir" >"$scratch/out" 2>&1
status=$?
named=$(sed -n 's/^    //p' "$scratch/out")
check "no display: status 1" test "$status" -eq 1
check "no display: said plainly" grep -q "No graphical display here" "$scratch/out"
check "no display: the command named is the program built ($named)" test -x "$named" -a "$named" -ef "$build_dir/app/velbarino"

# Stand-ins that record any attempt to install, and call every package missing.
mkdir -p "$scratch/bin"
for tool in apt-get sudo dpkg; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$scratch" >"$scratch/bin/$tool"
done
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"
chmod +x "$scratch/bin"/*
if [ "$(id -u)" -eq 0 ]; then
    for set in run test web; do
        SUDO_USER=nobody PATH=$scratch/bin:$PATH "$source_dir/tools/install-deps.sh" "$set" >"$scratch/out" 2>&1
        status=$?
        check "under sudo, '$set' is refused" test "$status" -eq 1
        check "under sudo, '$set' says to run make as yourself" grep -q "Run make as yourself" "$scratch/out"
    done
    check "under sudo, nothing was installed" test ! -e "$scratch/calls"
    SUDO_USER=nobody PATH=$scratch/bin:$PATH "$source_dir/tools/install-deps.sh" only debootstrap >/dev/null 2>&1
    check "under sudo, 'only' installs what it names" grep -q "apt-get install .* debootstrap" "$scratch/calls"
else
    echo "not checked here: the refusal under sudo (needs root, as sudo gives)"
fi
[ "$failures" -eq 0 ] || exit 1
echo "PASS: what a newcomer meets at the two commands"
