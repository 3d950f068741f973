#!/usr/bin/env bash
# 'cmake --install' into a scratch folder, then the layout checks.
set -euo pipefail
build_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
DESTDIR="$scratch" cmake --install "$build_dir" --prefix /usr >/dev/null
"$here/check_layout.sh" "$scratch"
