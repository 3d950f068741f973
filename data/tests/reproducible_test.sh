#!/usr/bin/env bash
# Builds the release of the last commit twice, as a user runs it ('make
# release', no SOURCE_DATE_EPOCH of the caller's), from two clones in folders
# of different paths, one after the other, with different time zones, locales
# and umasks, and compares what was shipped. Fails on any difference and
# shows the first one (and diffoscope's account of it, when installed). Also
# reads the zips: their entries in name order, each with the commit's date,
# and the page's folder with its barcode decoder and the decoder's licences.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

release() {  # FOLDER: a clone of the last commit there, and its release
    git clone --quiet --no-hardlinks "$source_dir" "$1"
    (cd "$1" && env -u SOURCE_DATE_EPOCH make --no-print-directory release >"$1.log" 2>&1) \
        || { tail -n 30 "$1.log"; fail "the release in $1 failed"; }
}
release "$scratch/one/velbarino"
(umask 0002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 release "$scratch/a/much/longer/folder/two/velbarino")

one=$scratch/one/velbarino/dist
two=$scratch/a/much/longer/folder/two/velbarino/dist
commit_date=$(TZ=UTC git -C "$source_dir" log -1 --date=format-local:'%Y-%m-%d %H:%M' --format=%cd)
for zip in "$one"/*.zip; do
    listing=$(python3 -c 'import sys, zipfile
for e in zipfile.ZipFile(sys.argv[1]).infolist(): print("%04d-%02d-%02d %02d:%02d" % e.date_time[:5], e.filename)' "$zip")
    names=$(cut -d' ' -f3- <<<"$listing")
    [ "$names" = "$(LC_ALL=C sort <<<"$names")" ] || fail "$(basename "$zip"): entries not in name order: $names"
    dates=$(cut -d' ' -f1-2 <<<"$listing" | sort -u)
    [ "$dates" = "$commit_date" ] || fail "$(basename "$zip"): entries dated $dates, not the commit's $commit_date"
    if [[ $zip == *-web.zip ]]; then  # the scanner's decoder, with its licences
        for file in scanner-worker.js zxing-reader.js zxing_reader.wasm LICENSE-zxing-wasm.txt LICENSE-zxing-cpp.txt; do
            grep -qx "$file" <<<"$names" || fail "$(basename "$zip") lacks $file"
        done
    fi
done

if cmp -s "$one/SHA256SUMS" "$two/SHA256SUMS"; then
    echo "PASS: two releases from different folders and times are the same:"
    cat "$one/SHA256SUMS"
    exit 0
fi
diff "$one/SHA256SUMS" "$two/SHA256SUMS" || true
for file in $(cd "$one" && ls | grep -v -x SHA256SUMS); do
    cmp "$one/$file" "$two/$file" >/dev/null 2>&1 && continue
    echo "First difference: $(cmp "$one/$file" "$two/$file" 2>&1 || true)"
    if command -v diffoscope >/dev/null; then
        diffoscope --text - "$one/$file" "$two/$file" | head -n 60 || true
    fi
    break
done
fail "the two releases differ"
