#!/usr/bin/env bash
# tools/check-hardening.sh against programs built here: one with every flag,
# which must pass, and one without each flag in turn, which must fail with a
# line that names what is missing.
set -euo pipefail
checker=$(cd "$(dirname "$0")/.." && pwd)/check-hardening.sh
scratch=$(mktemp -d)
# shellcheck source=verdict.sh
source "$(dirname "$0")/verdict.sh"
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/main.cpp" <<'CPP'
#include <cstdio>
#include <cstring>
int main(int argc, char** argv) {
    char line[64];
    std::strcpy(line, argv[argc - 1]);  // fortified: the destination's size is known
    std::puts(line);
#ifdef BIG_FRAME
    volatile char frame[200000];
    frame[argc] = 1;
    return frame[1];
#endif
    return 0;
}
CPP
good=(-O2 -fstack-protector-strong -D_FORTIFY_SOURCE=2 -fstack-clash-protection -fcf-protection -fPIE -pie
      -Wl,-z,relro -Wl,-z,now)
# check NAME EXPECTED FLAGS...: builds with FLAGS into a build folder of its
# own; EXPECTED is "pass", or a text that the checker's FAIL line must hold.
check() {
    local name=$1 expected=$2 build=$scratch/$1 output status=0
    shift 2
    mkdir -p "$build"/{core,ui,qt}/CMakeFiles "$build/app/CMakeFiles/velbarino.dir"
    g++ "$@" -c "$scratch/main.cpp" -o "$build/app/CMakeFiles/velbarino.dir/main.cpp.o"
    g++ "$@" "$build/app/CMakeFiles/velbarino.dir/main.cpp.o" -o "$build/velbarino"
    printf '[{"command": "g++ %s -c main.cpp"}]\n' "$*" >"$build/compile_commands.json"
    output=$("$checker" "$build/velbarino" "$build" 2>&1) || status=$?
    verdict "$name" "$expected" "$status" "$output"
}
without() { local drop=$1; shift; for flag in "${good[@]}"; do [ "$flag" = "$drop" ] || echo "$flag"; done; }

check every-flag pass "${good[@]}"
check no-stack-protector "Stack protected" $(without -fstack-protector-strong) -fno-stack-protector
check lazy-binding "Immediate binding" $(without -Wl,-z,now) -Wl,-z,lazy
check no-pie "Position Independent" $(without -pie) -fno-PIE -no-pie
check no-relro "Read-only relocations" $(without -Wl,-z,relro) -Wl,-z,norelro -Wl,-z,lazy
check no-fortify "unfortified calls: strcpy" $(without -D_FORTIFY_SOURCE=2)
check no-cf-protection "without -fcf-protection" $(without -fcf-protection) -fcf-protection=none
check big-frame-unprobed "without -fstack-clash-protection" $(without -fstack-clash-protection) -fno-stack-clash-protection -DBIG_FRAME
[ "$failures" -eq 0 ] || exit 1
echo "PASS: the hardening check passes a hardened program and fails each flag left out"
