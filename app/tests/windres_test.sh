#!/usr/bin/env bash
# Compiles the Windows resource script and checks that the version block
# carries the values the about box shows.
set -euo pipefail
windres=$1
script=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The host preprocessor: the MinGW compiler is not needed for a resource script.
"$windres" --preprocessor=cpp --input "$script" --output "$scratch/velbarino.res" --output-format res
# String values are stored as UTF-16LE.
text=$(iconv -f UTF-16LE -t UTF-8 -c "$scratch/velbarino.res" | tr -d '\0')
for expected in "Verifica codici a barre EAN-8 ed EAN-13" "Verifica dei codici a barre in formato EAN-8 ed EAN-13" \
                "Velbarino" "1.00" "Copyright © 2026"; do
    grep -qF "$expected" <<<"$text" || { echo "FAIL: the version block lacks \"$expected\""; exit 1; }
done
echo "PASS: resource script compiled with its version strings"
