#!/usr/bin/env bash
# Builds the .deb, holds it to Debian's policy with lintian, unpacks it into a
# scratch folder, and checks its control fields, the layout of what it
# installs, and the hardening of the program it installs (hardening-check:
# any "no" fails).
set -euo pipefail
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/*.deb)
lintian --allow-root --fail-on error,warning --display-info "$deb" || { echo "FAIL: lintian"; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velbarino ] || { echo "FAIL: package name"; exit 1; }
[ "$(field Section)" = utils ] || { echo "FAIL: section"; exit 1; }
[ -n "$(field Maintainer)" ] || { echo "FAIL: no maintainer"; exit 1; }
field Depends | grep -q 'libqt6widgets6' || { echo "FAIL: Depends lacks the Qt libraries: $(field Depends)"; exit 1; }
field Depends | grep -q 'qt6-qpa-plugins' || { echo "FAIL: Depends lacks the platform plugins"; exit 1; }
[ -n "$(field Homepage)" ] || { echo "FAIL: no homepage"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"
"$here/check_layout.sh" "$scratch/root"
"$here/../../tools/check-hardening.sh" "$scratch/root/usr/bin/velbarino" "$build_dir"
