#!/usr/bin/env bash
# Compiles the Windows resource script, reads the compiled version block back
# (windres decompiles it), and checks the value of each field that the about
# box and Windows show.
set -euo pipefail
windres=$1
script=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The host preprocessor: the MinGW compiler is not needed for a resource script.
"$windres" --preprocessor=cpp --input "$script" --output "$scratch/velbarino.res" --output-format res
"$windres" --input "$scratch/velbarino.res" --input-format res --output "$scratch/compiled.rc" --output-format rc
block=$(sed -n '/VERSIONINFO/,$p' "$scratch/compiled.rc" | sed -E 's/^ +//')
status=0
while IFS= read -r expected; do
    grep -qxF "$expected" <<<"$block" || { echo "FAIL: the compiled version block lacks: $expected"; status=1; }
done <<'FIELDS'
FILEVERSION 1, 0, 0, 0
BLOCK "041004B0"
VALUE "ProductName", "Velbarino"
VALUE "FileVersion", "1.00"
VALUE "ProductVersion", "1.00"
VALUE "Comments", "Verifica dei codici a barre in formato EAN-8 ed EAN-13"
VALUE "FileDescription", "Verifica codici a barre EAN-8 ed EAN-13"
VALUE "LegalCopyright", L"Copyright \251 2026 Velbarino contributors"
VALUE "Translation", 0x410, 1200
FIELDS
[ "$status" -eq 0 ] || { echo "The compiled block:"; echo "$block"; exit 1; }
echo "PASS: the compiled version block carries each field's value"
