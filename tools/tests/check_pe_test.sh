#!/usr/bin/env bash
# tools/check-pe.sh against Windows programs built here with MinGW-w64: one
# built as velbarino.exe is, which must pass, and one without each property in
# turn (ASLR, high-entropy ASLR, DEP, no time stamp, the stack protector, no
# DLL but the system's, objects to read), which must fail, naming it.
# Usage: check_pe_test.sh TRIPLE   (x86_64-w64-mingw32 or i686-w64-mingw32)
set -euo pipefail
triple=$1
checker=$(cd "$(dirname "$0")/.." && pwd)/check-pe.sh
arch=$([ "$triple" = i686-w64-mingw32 ] && echo x86 || echo x86_64)
scratch=$(mktemp -d)
# shellcheck source=verdict.sh
source "$(dirname "$0")/verdict.sh"
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/main.cpp" <<'CPP'
#include <windows.h>
#include <cstring>
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command, int) {
    char line[64];
    std::strcpy(line, command);
    return MessageBoxA(nullptr, line, "t", MB_OK);
}
CPP
compile=(-O2 -fstack-protector-strong -D_FORTIFY_SOURCE=2)
link=(-mwindows -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp -lssp)
# check NAME EXPECTED COMPILE_FLAGS -- LINK_FLAGS: EXPECTED is "pass", or a
# text that the checker's FAIL line must hold.
check() {
    local name=$1 expected=$2 build=$scratch/$1 output status=0 flags=()
    shift 2
    while [ "$1" != -- ]; do flags+=("$1"); shift; done
    shift
    mkdir -p "$build"/{ui,win32}/CMakeFiles "$build/app/CMakeFiles/velbarino.dir"
    if [ "$name" != no-objects ]; then
        "$triple-g++-posix" "${flags[@]}" -c "$scratch/main.cpp" -o "$build/app/CMakeFiles/velbarino.dir/main.cpp.obj"
    fi
    "$triple-g++-posix" "${flags[@]}" "$scratch/main.cpp" -o "$build/velbarino.exe" "$@"
    output=$("$checker" "$triple-objdump" "$triple-nm" "$build/velbarino.exe" "$build" "$arch" 2>&1) || status=$?
    verdict "$name" "$expected" "$status" "$output"
}

check as-shipped pass "${compile[@]}" -- "${link[@]}"
check no-aslr "no ASLR" "${compile[@]}" -- "${link[@]}" -Wl,--disable-dynamicbase
[ "$arch" = x86 ] || check no-high-entropy "no high-entropy ASLR" "${compile[@]}" -- "${link[@]}" -Wl,--disable-high-entropy-va
check no-dep "no DEP" "${compile[@]}" -- "${link[@]}" -Wl,--disable-nxcompat
check time-stamp "a build time stamp" "${compile[@]}" -- "${link[@]/--no-insert-timestamp/--insert-timestamp}"
check no-stack-protector "built without the stack protector" -O2 -fno-stack-protector -- "${link[@]}"
check runtime-dlls "imports DLLs that Windows does not carry" "${compile[@]}" -- -mwindows -Wl,--no-insert-timestamp -lssp
check no-objects "no objects" "${compile[@]}" -- "${link[@]}"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: the program check passes a program built as shipped and fails each property taken away ($arch)"
