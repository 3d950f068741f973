#!/usr/bin/env bash
# Builds what is shipped for Windows, the zip and the installer, the same
# bytes on every run: the files are staged with one date (EPOCH, seconds since
# 1970), the zip is written in name order with that date, and wixl and
# msibuild run at that date under faketime, its clock stopped there (by
# default faketime lets it run on, and a run that crosses a second writes
# another date), with a package code that follows
# from the version.
# Usage: windows-packages.sh STAGE EPOCH ZIP MSI WXS ARCH PACKAGE_CODE ICON FILE=NAME...
#   STAGE the folder the files are copied to, each FILE as NAME (the zip's
#   entries, and the WiX source's relative Source paths, with ICON);
#   ARCH x64 or x86.
set -euo pipefail
stage=$1 epoch=$2
zip=$(realpath -m "$3") msi=$(realpath -m "$4") wxs=$(realpath "$5")
arch=$6 package_code=$7 icon=$8
shift 8
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$stage"
mkdir -p "$stage"
names=()
for pair in "$@"; do
    name=$stage/${pair#*=}
    # Fixed modes, whatever the umask: programs 755, everything else 644.
    if [[ $name == *.exe ]]; then install -m 755 "${pair%%=*}" "$name"; else install -m 644 "${pair%%=*}" "$name"; fi
    names+=("$name")
done
python3 "$here/make-zip.py" "$zip" "$epoch" "${names[@]}"

install -m 644 "$icon" "$stage/"
touch -d "@$epoch" "$stage"/*
stamp=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
cd "$stage"
TZ=UTC faketime -f "$stamp" wixl --arch "$arch" --output "$msi.tmp" "$wxs"
# Summary information: subject, author, platform and language, package code.
# Windows Installer calls the 32-bit platform "Intel".
platform=$arch
[ "$arch" = x86 ] && platform=Intel
TZ=UTC faketime -f "$stamp" msibuild "$msi.tmp" -s "Velbarino" "Velbarino contributors" "$platform;1040" "{$package_code}"
mv "$msi.tmp" "$msi"
