#!/usr/bin/env bash
# Figures of the Windows program: its size, the DLLs it imports, and start-up
# under Wine (exec to window shown) against a bare Win32 window with the same
# controls, interleaved runs, medians. Needs an X display (make bench-windows
# gives it one). Usage: tools/wine-startup-bench.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
exe="$build/app/velbarino.exe"
bare="$build/bench/bare_window_win32.exe"
prefix="$build/wine-prefix"

echo "velbarino.exe: $(stat -c %s "$exe") bytes"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')"

# Milliseconds from exec to a visible window titled $2, then closes it.
startup() {
    local start end pid
    start=$(date +%s%N)
    "$here/wine-run.sh" "$prefix" "$1" &
    pid=$!
    # 30 s at most: a window that never maps fails the run instead of hanging it.
    if ! timeout 30 xdotool search --sync --onlyvisible --name "^$2\$" >/dev/null; then
        kill "$pid" 2>/dev/null
        echo "FAIL: no window titled $2 within 30 s" >&2
        exit 1
    fi
    end=$(date +%s%N)
    xdotool key alt+F4 2>/dev/null || true  # to the focused window: the new one
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

"$here/wine-run.sh" "$prefix" cmd /c exit 2>/dev/null || true  # the prefix and wineserver, once
ours=()
theirs=()
for _ in $(seq 1 "$runs"); do
    ours+=("$(startup "$exe" Velbarino)")
    theirs+=("$(startup "$bare" Bare)")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
ratios=()
for i in "${!ours[@]}"; do ratios+=("$(awk -v a="${ours[$i]}" -v b="${theirs[$i]}" 'BEGIN { printf "%.3f", a / b }')"); done
echo "start-up under Wine, median of $runs: Velbarino $(median "${ours[@]}") ms, bare window $(median "${theirs[@]}") ms"
echo "median ratio of pairs: $(median "${ratios[@]}")"
