#!/usr/bin/env bash
# The Windows installer under Wine, as a shop installs and removes it: refused
# on a Windows older than 10 (1607); installed silently per user; its files,
# Start-menu shortcut and installed-programs entry; the installed program
# starts; a newer build replaces it and an older one is refused; removal
# leaves nothing of ours, on disk or in the registry.
# Usage: msi_test.sh WINE_RUN PREFIX MSI WXS STAGE ARCH VERSION   (PREFIX is made anew)
set -euo pipefail
if [ -z "${VELBARINO_MSI_INNER:-}" ] && [ -z "${DISPLAY:-}" ]; then
    VELBARINO_MSI_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" "$0" "$@"
fi
wine_run=$1 prefix=$2 msi=$3 wxs=$4 stage=$5 arch=$6 version=$7
newer=${version%.*}.$((${version##*.} + 1))  # the next revision
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../tools/xvfb-window.sh
source "$here/../../tools/xvfb-window.sh"
scratch=$(mktemp -d)
on_exit 'rm -rf "$scratch"'
rm -rf "$prefix"

fail() { echo "FAIL: $*"; exit 1; }
wine() { "$wine_run" "$prefix" "$@"; }
# msiexec's status as the shell sees it: 1603 (the install failed) is 67.
# Every check expects 0 or 67: any other status may be Wine failing to run
# msiexec at all (its registry queries failed that way once on a loaded
# machine), so msiexec is asked once more; what Wine printed is kept for the
# message of a check that fails even so.
msiexec_status() {
    local ask status
    for ask in 1 2; do
        status=0
        wine msiexec "$@" /qn >"$scratch/msiexec.out" 2>&1 || status=$?
        { [ "$status" = 0 ] || [ "$status" = 67 ] || [ "$ask" = 2 ]; } && break
        echo "msiexec $* ended with status $status; asked again" >&2
        sleep 1
    done
    echo "$status"
}
printed() { tr -d '\r' <"$scratch/msiexec.out" | tail -n 5; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }'; }
# A 32-bit installer writes to the registry's 32-bit view.
registry_view=/reg:64
[ "$arch" = x86 ] && registry_view=/reg:32
# entry CODE: the installed-programs entry of a product code into $listed,
# empty when there is none (Wine's reg prints its error on standard output).
# A query that fails for any other reason, as one did once on a loaded
# machine, is asked again; a registry that cannot be read fails the test,
# never reads as "not listed".
entry() {
    local answer
    for _ in 1 2 3 4 5; do
        answer=$(wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" "$registry_view" 2>&1) \
            && { listed=$(tr -d '\r' <<<"$answer"); return 0; }
        grep -qi "unable to find" <<<"$answer" && { listed=""; return 0; }
        sleep 1
    done
    fail "the registry could not be read for $1: $answer"
}
value_of() { awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

users=$prefix/drive_c/users/$(id -un)
installed=$users/AppData/Local/Programs/Velbarino
shortcut="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velbarino.lnk"
old_code=$(product_code "$msi")
[ -n "$old_code" ] || fail "no ProductCode in $msi"
# Italian (1040) in the product and in the summary information's template.
language=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductLanguage" { print $2 }')
[ "$language" = 1040 ] || fail "product language ${language:-missing}, not Italian (1040)"
template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
[ "${template#*;}" = 1040 ] || fail "summary information's template '$template' is not Italian (1040)"

# windows VERSION LOW HIGH: the prefix made to say VERSION (win7, win10), and
# its build read back: asked again if it is not from LOW to HIGH, then fails. A
# refusal means something only on a prefix known to say Windows 7.
windows() {
    local ask
    for ask in 1 2; do
        wine winecfg -v "$1" >/dev/null 2>&1
        build=$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentBuildNumber "$registry_view" 2>&1 \
            | tr -d '\r' | awk '$1 == "CurrentBuildNumber" { print $3 }')
        [ "${build:-0}" -ge "$2" ] 2>/dev/null && [ "$build" -le "$3" ] && return 0
        [ "$ask" = 2 ] || echo "winecfg -v $1 left build ${build:-unreadable}; asked again" >&2
    done
    fail "the prefix does not say $1 after 'winecfg -v $1': build ${build:-unreadable}"
}

# On Windows 7 the installer refuses, in Italian, and installs nothing. (A new
# prefix says Windows 7 on Wine 8 and Windows 10 on Wine 10: set and read
# back, not assumed.)
windows win7 7601 7601
status=$(msiexec_status /i "$msi")
[ "$status" != 0 ] || fail "installed on Windows 7"
[ "$status" = 67 ] || fail "on Windows 7 msiexec ended with status $status, not 1603 (refused): $(printed)"
[ ! -e "$installed" ] || fail "files left by the refused install"
grep -qF "Velbarino richiede Windows 10 versione 1607 o successiva." <<<"$(msiinfo export "$msi" LaunchCondition)" \
    || fail "no Italian message for an older Windows"

windows win10 14393 99999
status=$(msiexec_status /i "$msi")
[ "$status" = 0 ] || fail "the install failed with status $status: $(printed)"
for file in velbarino.exe LICENSE.txt LEGGIMI.txt; do
    cmp -s "$stage/$file" "$installed/$file" || fail "$file not installed under %LOCALAPPDATA%\\Programs\\Velbarino"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
entry "$old_code"
[ "$(value_of DisplayName <<<"$listed")" = Velbarino ] || fail "not in the installed programs: $listed"
[ "$(value_of DisplayVersion <<<"$listed")" = "$version" ] || fail "wrong version listed: $listed"
[ "$(value_of Publisher <<<"$listed")" = "Velbarino contributors" ] || fail "no publisher listed: $listed"
# The list's icon: ARPPRODUCTICON, published with the product.
cmp -s "$stage/velbarino.ico" "$users/AppData/Roaming/Microsoft/Installer/$old_code/velbarino.ico" \
    || fail "the product icon was not published"

# The installed program computes a code and closes.
start_program 30 "$wine_run" "$prefix" "$installed/velbarino.exe"
compute_and_close_wine_window

# A newer build over it: a major upgrade that leaves one Velbarino, the new one.
new_code=0E5B3C4D-2A1F-5B6C-8D7E-9F0A1B2C3D4E
bare_code=${old_code#\{}
sed -e "s/Version=\"$version\"/Version=\"$newer\"/" -e "s/Id=\"${bare_code%\}}\"/Id=\"$new_code\"/" "$wxs" >"$scratch/newer.wxs"
grep -q "Version=\"$newer\"" "$scratch/newer.wxs" && grep -q "$new_code" "$scratch/newer.wxs" \
    || fail "could not make a newer source from $wxs"
(cd "$stage" && wixl --arch "$arch" --output "$scratch/newer.msi" "$scratch/newer.wxs" 2>/dev/null)
[ "$(msiexec_status /i "$scratch/newer.msi")" = 0 ] || fail "the newer build did not install"
entry "$old_code"; [ -z "$listed" ] || fail "the older version is still listed after the upgrade"
entry "{$new_code}"; [ "$(value_of DisplayVersion <<<"$listed")" = "$newer" ] || fail "the newer version is not listed"
[ -f "$installed/velbarino.exe" ] && [ -f "$shortcut" ] || fail "the upgrade lost the program or its shortcut"

# The older build is refused over the newer one.
[ "$(msiexec_status /i "$msi")" = 67 ] || fail "an older build replaced a newer one"
entry "{$new_code}"; [ -n "$listed" ] || fail "the refused downgrade removed the newer version"

[ "$(msiexec_status /x "$scratch/newer.msi")" = 0 ] || fail "removal failed"
[ ! -e "$installed" ] || fail "files left: $(ls -A "$installed")"
[ ! -e "$users/AppData/Local/Programs" ] || fail "the Programs folder we created was left"
[ ! -e "$shortcut" ] || fail "the shortcut was left"
entry "{$new_code}"; [ -z "$listed" ] || fail "still listed after removal"
wine reg query 'HKCU\Software\Velbarino' >/dev/null 2>&1 && fail "HKCU\\Software\\Velbarino was left"
"$(dirname "$(readlink -f "$(command -v wine64 || echo /usr/lib/wine/wine64)")")/wineserver" -k 2>/dev/null || true
sleep 1
left=$(grep -il velbarino "$prefix"/*.reg || true)
[ -z "$left" ] || fail "the registry still names Velbarino: $(grep -i -B2 velbarino "$prefix"/*.reg | head -20)"
echo "PASS: refused on Windows 7; installed, listed, started, upgraded, downgrade refused, removed without a trace ($arch)"
