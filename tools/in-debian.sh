#!/usr/bin/env bash
# Runs a command of the project (make test, make bench...) inside a fresh
# Debian root of another release, on a clone of the last commit, as root:
# the suite as a new user of that release meets it.
# - The root is made once by debootstrap, from the mirror this machine's apt
#   uses, in build-debian<N>/root, and reused while it is there; remove
#   build-debian<N>/ to make it anew.
# - /proc, /sys and /dev are mounted inside a private mount namespace: they
#   vanish with the run, even when it dies, so removing the root can never
#   reach the host's /dev. 'make run' alone gets this machine's X display
#   (its socket folder, DISPLAY, and the X authority on a memory file system
#   of the namespace's own, gone with the run however it ends), so that its
#   window shows here and no other command draws on the user's screen.
# - The clone sees committed sources only, as a release does. A checkout that
#   another user owns is trusted for that one clone only (no global setting).
# - Two runs on one checkout take turns: the second waits for the first, and
#   for nothing that the first left running.
# - A root that debootstrap left half-made is unmounted before it is removed,
#   and no removal crosses into another file system, whatever the checkout's
#   path holds (spaces included).
# Usage: tools/in-debian.sh 12|13 COMMAND...
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
    12) release=bookworm ;;
    13) release=trixie ;;
    *) echo "usage: $0 12|13 COMMAND..." >&2; exit 2 ;;
esac
version=$1
shift
[ $# -gt 0 ] || { echo "usage: $0 12|13 COMMAND..." >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0 needs root: debootstrap, chroot and mounts" >&2; exit 1; }
for tool in debootstrap unshare chroot git flock findmnt; do
    command -v "$tool" >/dev/null || { echo "$0 needs $tool (Debian package debootstrap, util-linux, coreutils, git)" >&2; exit 1; }
done

folder=$PWD/build-debian$version
root=$folder/root
mkdir -p "$folder"
exec 9>"$folder/lock"
if ! flock -n 9; then
    echo "Another run is using $folder: waiting for it to end"
    flock 9
fi

# remove_tree DIR: whatever is mounted below DIR first (deepest first), then
# DIR itself, never following a mount into another file system.
remove_tree() {
    [ -e "$1" ] || return 0
    local mount
    # findmnt writes a space in a path as \x20: decoded before comparing.
    findmnt -rn -o TARGET | while IFS= read -r mount; do printf '%b\n' "$mount"; done \
        | top=$1 awk 'index($0, ENVIRON["top"] "/") == 1' | sort -r \
        | while IFS= read -r mount; do umount -l "$mount"; done
    rm -rf --one-file-system "$1"
}

if [ ! -d "$root" ]; then
    # The first Debian mirror of this machine's apt sources, in either format.
    mirror=$(grep -h -o -E 'https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null \
        | grep -v -- '-security' | head -n 1 | tr -d ' ' || true)
    mirror=${mirror:-http://deb.debian.org/debian}
    echo "Making a Debian $version root from $mirror in $root"
    remove_tree "$root.new"
    debootstrap --variant=minbase "$release" "$root.new" "$mirror"
    mv "$root.new" "$root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# And the certificate authorities this machine adds to Debian's (a network
# that inspects https names its own): the root reaches the network as the
# machine does, npm's registry included.
mkdir -p "$root/usr/local/share/ca-certificates"
find /usr/local/share/ca-certificates -maxdepth 1 -name '*.crt' -exec cp {} "$root/usr/local/share/ca-certificates/" \; 2>/dev/null || true

remove_tree "$root/work"
mkdir -p "$root/work"
# Trusted for this clone alone: git hides '-c' from the upload-pack that
# reads the checkout, so the setting goes in a global file of its own.
trust=$folder/gitconfig
printf '[safe]\n\tdirectory = %s\n\tdirectory = %s/.git\n' "$PWD" "$PWD" >"$trust"
GIT_CONFIG_GLOBAL=$trust git clone --quiet --no-hardlinks "$PWD" "$root/work/velbarino"

inner='mount -t proc proc "$0/proc" && mount --rbind /sys "$0/sys" && mount --rbind /dev "$0/dev" &&
    { [ -z "$SHOW_DISPLAY" ] || [ ! -d /tmp/.X11-unix ] || { mkdir -p "$0/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$0/tmp/.X11-unix"; }; } &&
    { [ -z "$HOST_XAUTHORITY" ] || { mkdir -p "$0/run/x-authority" && mount -t tmpfs -o mode=0700,size=1m tmpfs "$0/run/x-authority" &&
        cp "$HOST_XAUTHORITY" "$0/run/x-authority/Xauthority"; }; } && exec chroot "$0" "$@"'
command_line=$(printf '%q ' "$@")
display=() show_display="" host_xauthority=""
if [ "$*" = "make run" ] && [ -n "${DISPLAY:-}" ]; then
    display=("DISPLAY=$DISPLAY") show_display=1
    if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
        host_xauthority=$XAUTHORITY
        display+=(XAUTHORITY=/run/x-authority/Xauthority)
    fi
fi
rm -f "$root/root/.Xauthority"  # where an older version of this script left a copy
# The lock (descriptor 9) is this script's alone, held until the command
# ends: the command does not inherit it, so a daemon that it leaves running
# cannot keep the next run waiting.
status=0
SHOW_DISPLAY=$show_display HOST_XAUTHORITY=$host_xauthority unshare --mount --propagation private -- bash -c "$inner" "$root" \
    env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt \
    ${CI:+CI=$CI} ${FUZZ_SECONDS:+FUZZ_SECONDS=$FUZZ_SECONDS} "${display[@]}" \
    bash -c "set -e; export DEBIAN_FRONTEND=noninteractive; command -v make >/dev/null || { apt-get update -q && apt-get install -y -q --no-install-recommends git make ca-certificates; }; { ! command -v update-ca-certificates >/dev/null || update-ca-certificates >/dev/null 2>&1; }; cd /work/velbarino && $command_line" \
    9>&- || status=$?
exit "$status"
