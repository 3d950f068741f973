#!/usr/bin/env bash
# Builds the Windows installer from its WiX source, the same bytes on every
# run: the files are staged with one date, and wixl and msibuild run at that
# date under faketime, with a package code that follows from the version.
# Usage: make-msi.sh OUTPUT WXS ARCH PACKAGE_CODE EPOCH STAGE FILE=NAME...
#   ARCH x64 or x86; EPOCH seconds since 1970 (SOURCE_DATE_EPOCH); STAGE the
#   folder the files are copied to, each FILE as NAME, for the WiX source's
#   relative Source paths.
set -euo pipefail
output=$(realpath -m "$1")
wxs=$(realpath "$2")
arch=$3
package_code=$4
epoch=$5
stage=$6
shift 6
rm -rf "$stage"
mkdir -p "$stage"
for pair in "$@"; do
    cp "${pair%%=*}" "$stage/${pair#*=}"
done
touch -d "@$epoch" "$stage"/*
stamp=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
cd "$stage"
TZ=UTC faketime "$stamp" wixl --arch "$arch" --output "$output.tmp" "$wxs"
# Summary information: subject, author, platform and language, package code.
# Windows Installer calls the 32-bit platform "Intel".
platform=$arch
[ "$arch" = x86 ] && platform=Intel
TZ=UTC faketime "$stamp" msibuild "$output.tmp" -s "Velbarino" "Velbarino contributors" "$platform;1040" "{$package_code}"
mv "$output.tmp" "$output"
