#!/usr/bin/env bash
# Checks an installed tree (a DESTDIR or an unpacked .deb): the launcher and
# the AppStream file validate, and everything they name is where they say.
# Usage: check_layout.sh ROOT   (the files are under ROOT/usr)
set -euo pipefail
root=$1
id=org.velbarino.Velbarino
usr="$root/usr"
desktop="$usr/share/applications/$id.desktop"
metainfo="$usr/share/metainfo/$id.metainfo.xml"
fail() { echo "FAIL: $*"; exit 1; }

[ -f "$desktop" ] || fail "no desktop entry at ${desktop#"$root"}"
[ -f "$metainfo" ] || fail "no metainfo at ${metainfo#"$root"}"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"

entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
binary=$(entry Exec)
[ -x "$usr/bin/$binary" ] || fail "Exec=$binary is not in /usr/bin"
icon=$(entry Icon)
for size in 16 32 48 64 128; do
    file="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$file" ] || fail "icon $icon missing at ${size}x${size}"
    identify_size=$(file -b "$file" | grep -o "$size x $size" || true)
    [ -n "$identify_size" ] || fail "icon at ${size}x${size} is not ${size} pixels square"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "scalable icon $icon missing"
[ "$(entry StartupWMClass)" = Velbarino ] || fail "StartupWMClass does not match the window class"

grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches another desktop id"
grep -q "<binary>$binary</binary>" "$metainfo" || fail "metainfo provides another binary"
echo "PASS: launcher, icons and metainfo in place under ${root}"
