#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, and any named
# on the command line, only when one is missing. Runs apt-get as root, or
# through sudo.
set -euo pipefail

packages=(
    cmake make g++ pkg-config         # build
    libgtest-dev                      # unit tests
    clang libclang-rt-14-dev          # sanitizer build and libFuzzer targets
    libbenchmark-dev                  # micro-benchmarks
    qt6-base-dev                      # the window (Qt 6 Widgets)
    qt6-translations-l10n             # Qt's own Italian texts
    fonts-liberation2                 # the narrow sans font the fixed layout is sized for
    xvfb xauth xdotool x11-utils      # smoke test on a virtual X display
    orca openbox                      # what a blind user hears, on a desktop with a window manager
    desktop-file-utils appstream      # validating the launcher and the metainfo
    dpkg-dev file lintian             # the .deb: dpkg-shlibdeps works out its dependencies, lintian checks it
    binutils-mingw-w64-x86-64         # the Windows resource script
    g++-mingw-w64-x86-64-posix        # the Windows program, cross-built
    googletest                        # GoogleTest's sources, built for Windows
    wine64                            # running the Windows program and its tests
    at-spi2-core dbus                 # the accessibility bus in a D-Bus session of its own
    imagemagick                       # screenshots (tools/screenshot.sh)
)

packages+=("$@")
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These Debian packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

echo "Installing Debian packages: ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
