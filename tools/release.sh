#!/usr/bin/env bash
# 'make release': everything that is shipped, built from the committed source
# in folders of its own, into dist/: the .deb, the Windows zips and
# installers for x64 and x86, the page for a browser (one file, and a zip of
# the folder for a web server), and SHA256SUMS. Each program is checked for its
# hardening before anything is written to dist/. Anyone can run it again on
# the same commit and compare the sums: the builds record no path, clock or
# user of their own (SOURCE_DATE_EPOCH is the last commit's time).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "$(git status --porcelain --untracked-files=normal)" ]; then
    echo "Refusing to release: the tree has uncommitted changes, so the release could not be rebuilt from its source." >&2
    git status --short >&2
    exit 1
fi
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
# CPack takes some modes in the .deb (its members' own) from the umask.
umask 022
jobs=$(nproc 2>/dev/null || echo 2)
builds=build-release
rm -rf "$builds" dist
mkdir -p dist

cmake -S . -B "$builds/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$builds/linux" -j "$jobs"
(cd "$builds/linux" && cpack -G DEB)
mkdir -p "$builds/unpacked"
dpkg-deb -x "$builds"/linux/velbarino_*.deb "$builds/unpacked"
tools/check-hardening.sh "$builds/unpacked/usr/bin/velbarino" "$builds/linux"

for arch in x86_64 i686; do
    build=$builds/windows-$arch
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-w64-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cmake --build "$build" -j "$jobs"
    processor=$([ "$arch" = i686 ] && echo x86 || echo x86_64)
    tools/check-pe.sh "$arch-w64-mingw32-objdump" "$arch-w64-mingw32-nm" "$build/app/velbarino.exe" "$build" "$processor"
done

NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B "$builds/web" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
NODE_PATH=/usr/share/nodejs cmake --build "$builds/web" -j "$jobs"
version=$(dpkg-deb -f "$builds"/linux/velbarino_*.deb Version)

cp "$builds"/linux/velbarino_*.deb "$builds"/windows-*/velbarino-*-windows-*.{zip,msi} dist/
cp "$builds/web/app/velbarino.html" "dist/velbarino-$version.html"
tools/make-zip.py "dist/velbarino-$version-web.zip" "$SOURCE_DATE_EPOCH" "$builds"/web/app/velbarino-web/*

(cd dist && sha256sum -- * >SHA256SUMS)
echo "Release of $(git rev-parse --short HEAD) in dist/:"
cat dist/SHA256SUMS
