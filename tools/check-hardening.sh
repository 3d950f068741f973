#!/usr/bin/env bash
# hardening-check on the Linux program, as the tests and 'make release' run
# it: every line must say yes, but three that no program linked on Debian 12
# or 13 can pass, where the cause is checked instead.
# - Control flow integrity: ld marks a program IBT and SHSTK only when every
#   object linked into it is marked, and libc6-dev's start files (Scrt1.o,
#   crti.o, crtn.o) are not. So every object of ours must be marked.
# - Fortify Source functions: only the unchecked memcpy, memmove and memset
#   that std::u16string inlines (sizes known only at run time) may be found,
#   and every compile command of ours must define _FORTIFY_SOURCE.
# - Stack clash protection: hardening-check finds probes only in a frame large
#   enough to need them, and otherwise says "unknown", never "no"; so every
#   compile command of ours must ask for them.
# Branch Protection (printed from Debian 13 on) is arm64's BTI and PAC; it says
# nothing of an x86 program, so it is skipped by its name on x86 only.
# Usage: check-hardening.sh PROGRAM BUILD_DIR
set -euo pipefail
program=$1
build_dir=$2
fail() { echo "FAIL: $*"; exit 1; }
# every_command_has FLAG: each compile command of the build passes FLAG.
every_command_has() {
    local commands with
    commands=$(grep -c '"command":' "$build_dir/compile_commands.json" || true)
    with=$(grep -c -- "\"command\":.* $1" "$build_dir/compile_commands.json" || true)
    [ "$commands" -gt 0 ] || fail "no compile commands in $build_dir"
    [ "$commands" -eq "$with" ] || fail "$((commands - with)) compile commands without $1"
}
report=$(hardening-check --verbose "$program" || true)
echo "$report"
while IFS= read -r line; do
    case "$line" in
        *": yes"*) ;;
        " Stack clash protection: unknown"*) every_command_has -fstack-clash-protection ;;
        " Branch Protection:"*) [ "$(uname -m)" != aarch64 ] || fail "$line" ;;
        " Control flow integrity: no"*)
            objects=$(find "$build_dir"/{core,ui,qt,app}/CMakeFiles -name '*.o' -not -path '*/tests/*')
            [ -n "$objects" ] || fail "no objects of ours under $build_dir"
            for object in $objects; do
                grep -q 'x86 feature: IBT, SHSTK' <<<"$(readelf -n "$object")" || fail "$object is built without -fcf-protection"
            done
            for start in Scrt1.o crti.o crtn.o; do
                grep -q 'x86 feature: IBT' <<<"$(readelf -n "$(gcc -print-file-name="$start")")" \
                    && fail "$start is marked now: the program should be too"
            done ;;
        " Fortify Source functions: no, only unprotected functions found!")
            others=$(sed -n 's/^\tunprotected: //p' <<<"$report" | grep -v -x -E 'memcpy|memmove|memset' || true)
            [ -z "$others" ] || fail "unfortified calls: $others"
            every_command_has -D_FORTIFY_SOURCE= ;;
        $'\t'*|"$program:") ;;
        *) fail "$line" ;;
    esac
done <<<"$report"
echo "PASS: hardened, as far as Debian's start files allow"
