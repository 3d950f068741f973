#!/usr/bin/env bash
# tools/in-debian.sh where a newcomer runs it. A small root made here (bash,
# env, sleep, a stand-in make and the libraries they need, copied from this
# machine) takes the place of a Debian one, and a stand-in debootstrap makes
# it, so that each case takes seconds:
# - as root, on a checkout that another user owns;
# - the X display for make run alone, and no X authority left behind;
# - a daemon that a run leaves behind does not keep the next one waiting;
# - a root that debootstrap left half-made, with a folder of this machine
#   still mounted in it, is unmounted, and nothing in that folder is removed,
#   also where the checkout's path has a space.
set -euo pipefail
# Skipped (77) where the script itself cannot run: without root, or inside a
# chroot such as the Debian roots themselves, whose "/" is no mount point and
# so cannot be made private.
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root, as tools/in-debian.sh does"; exit 77; }
unshare --mount --propagation private true 2>/dev/null \
    || { echo "SKIP: no private mount namespace here (a chroot?), which tools/in-debian.sh needs"; exit 77; }
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
# The mount points below a folder, deepest first (findmnt writes a space as \x20).
mounts_under() {
    findmnt -rn -o TARGET | while IFS= read -r mount; do printf '%b\n' "$mount"; done \
        | top=$1 awk 'index($0, ENVIRON["top"] "/") == 1' | sort -r
}
daemon=""
cleanup() {
    [ -z "$daemon" ] || kill "$daemon" 2>/dev/null || true
    mounts_under "$scratch" | while IFS= read -r mount; do umount -l "$mount"; done
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT
failures=0
check() {  # NAME CONDITION...
    local name=$1
    shift
    if "$@"; then echo "ok    $name"; else echo "FAIL  $name"; failures=$((failures + 1)); fi
}

# The stand-in debootstrap: debootstrap --variant=minbase RELEASE TARGET MIRROR.
mkdir -p "$scratch/bin"
cat >"$scratch/bin/debootstrap" <<'SH'
#!/usr/bin/env bash
set -euo pipefail
target=$3
mkdir -p "$target"/{usr/bin,etc,proc,sys,dev,tmp}
ln -s usr/bin "$target/bin"
for program in bash env sleep; do
    cp "$(command -v "$program")" "$target/usr/bin/"
    ldd "$(command -v "$program")" | grep -o '/[^ ]*' | xargs -I{} cp --parents -L {} "$target"
done
# make records the display it was given, and the X authority's first line.
printf '#!/bin/bash\necho "${DISPLAY:-none}" >/tmp/display\n[ -z "$XAUTHORITY" ] || { read -r line <"$XAUTHORITY"; echo "$line" >/tmp/xauthority; }\n' >"$target/usr/bin/make"
chmod +x "$target/usr/bin/make"
SH
chmod +x "$scratch/bin/debootstrap"
export PATH=$scratch/bin:$PATH

# checkout NAME OWNER: a checkout of the last commit with the script under
# test, where the next runs go.
checkout() {
    git clone --quiet "$source_dir" "$scratch/$1"
    cp "$source_dir/tools/in-debian.sh" "$scratch/$1/tools/in-debian.sh"
    chown -R "$2" "$scratch/$1"
    at=$scratch/$1
    root=$at/build-debian13/root
}
run() { "$at/tools/in-debian.sh" 13 "$@" >>"$scratch/log" 2>&1; }

checkout others nobody
check "runs as root on a checkout that nobody owns" run true
cookie=cookie-$RANDOM$RANDOM$$  # made here: the clone in the root holds this script's text
echo "$cookie" >"$scratch/xauthority"
DISPLAY=:7 XAUTHORITY=$scratch/xauthority run make run
check "make run gets the X display and its authority" test "$(cat "$root/tmp/display" "$root/tmp/xauthority" 2>/dev/null)" = ":7
$cookie"
rm -f "$root/tmp/xauthority"
DISPLAY=:7 XAUTHORITY=$scratch/xauthority run make test
check "another command gets no display" test "$(cat "$root/tmp/display" 2>/dev/null)" = none
check "no X authority is left in the root" test -z "$(grep -rl "$cookie" "$root" 2>/dev/null)"

run bash -c 'sleep 300 </dev/null >/dev/null 2>&1 & echo $! >/tmp/daemon'
daemon=$(cat "$root/tmp/daemon" 2>/dev/null || true)
check "a run left a daemon, and the next run does not wait for it" test -n "$daemon" -a "$(timeout 30 "$at/tools/in-debian.sh" 13 echo done 2>/dev/null | tail -n 1)" = done

for name in halfmade "half made"; do
    checkout "$name" root
    mkdir -p "$root.new/proc" "$scratch/host"
    touch "$scratch/host/keep"
    mount --bind "$scratch/host" "$root.new/proc"
    check "a half-made root with a mount in it is made anew ($name)" run true
    check "nothing of the mounted folder is removed ($name)" test -e "$scratch/host/keep"
    check "no mount is left under the root ($name)" test -z "$(mounts_under "$at")"
done

[ "$failures" -eq 0 ] || { echo "--- what the runs said:"; cat "$scratch/log"; exit 1; }
echo "PASS: tools/in-debian.sh is safe where a newcomer runs it"
