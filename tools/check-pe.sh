#!/usr/bin/env bash
# Checks a Windows program file as it is shipped: ASLR (high entropy on x64)
# and DEP, no build time stamp, under 1 MB, system DLLs only (the stack
# protector's libssp is linked in, not imported), and every target of ours in
# BUILD_DIR with an object referring to the stack protector's guard: a sign that it was
# compiled with the protector, not a proof that each function is protected.
# Run by the tests and by 'make release'.
# Usage: check-pe.sh OBJDUMP NM EXE BUILD_DIR ARCH   (ARCH x86_64 or x86)
set -euo pipefail
objdump=$1 nm=$2 exe=$3 build_dir=$4 arch=$5
fail() { echo "FAIL: $*"; exit 1; }
headers=$(TZ=UTC "$objdump" -p "$exe")  # its dates in UTC, whatever the caller's zone

flags=$((16#$(awk '$1 == "DllCharacteristics" { print $2 }' <<<"$headers")))
(( flags & 0x40 )) || fail "no ASLR (DYNAMIC_BASE)"
(( flags & 0x100 )) || fail "no DEP (NX_COMPAT)"
[ "$arch" = x86 ] || (( flags & 0x20 )) || fail "no high-entropy ASLR (HIGH_ENTROPY_VA)"
grep -q $'^Time/Date\t\tThu Jan  1 00:00:00 1970$' <<<"$headers" || fail "a build time stamp: $(grep Time/Date <<<"$headers")"
[ "$(stat -c %s "$exe")" -lt 1048576 ] || fail "$(stat -c %s "$exe") bytes: over 1 MB"

system='ADVAPI32|COMCTL32|GDI32|IMM32|KERNEL32|msvcrt|ole32|OLEACC|OLEAUT32|USER32|VERSION'
others=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | grep -v -i -x -E "($system)\.dll" || true)
[ -z "$others" ] || fail "imports DLLs that Windows does not carry: $others"
grep -q -E '__stack_chk_(fail|guard)' <<<"$headers" && fail "imports the stack protector from a DLL"

# The stack protector, as far as a linked program shows it: each target of
# ours (its objects, compiled with one set of flags) refers to the guard that
# protected functions compare against. Not each object: one whose functions
# hold no array or address-taken local needs no guard.
objects=$(find "$build_dir"/{ui,win32,app}/CMakeFiles -name '*.obj' -not -path '*/tests/*')
[ -n "$objects" ] || fail "no objects of ours under $build_dir"
unprotected=""
for target in $(sed 's|\(\.dir\)/.*|\1|' <<<"$objects" | sort -u); do
    guarded=no
    for object in $(grep -F "$target/" <<<"$objects"); do
        # (grep reads the whole listing: an early exit would fail nm with SIGPIPE under pipefail)
        if grep -q __stack_chk_guard <<<"$("$nm" "$object")"; then guarded=yes; break; fi
    done
    [ "$guarded" = yes ] || unprotected+=" $target"
done
[ -z "$unprotected" ] || fail "built without the stack protector:$unprotected"
echo "PASS: ASLR, DEP, no time stamp, $(stat -c %s "$exe") bytes, system DLLs only, stack protector linked in ($arch)"
