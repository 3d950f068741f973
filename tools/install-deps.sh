#!/usr/bin/env bash
# Installs the Debian packages of one set, only those missing, plus any named
# after it. 'run' is what building and running the program needs; 'web' what
# building the page needs; 'test' adds to both what the tests, the Windows
# builds and the release need. Runs apt-get as root, or through sudo. The
# test set adds dpkg's i386 architecture first, when missing: Wine's 32-bit
# half comes from it. A set is refused under 'sudo make ...': the build that
# follows would leave root's files in the user's checkout.
# Every name exists on Debian 12 and 13 alike.
# Usage: install-deps.sh run|web|test|only [PACKAGE...]   ('only': just those named)
set -euo pipefail

run_packages=(
    cmake make g++ pkg-config         # build
    qt6-base-dev                      # the window (Qt 6 Widgets)
    qt6-translations-l10n             # Qt's own Italian texts
    fonts-liberation2                 # the narrow sans font the fixed layout is sized for
)
web_packages=(
    cmake make emscripten             # the page: emscripten's compiler, driven by CMake
    terser                            # its scripts, minified
    npm                               # its barcode decoder, pinned in web/decoder/package-lock.json (npm ci)
)
test_packages=(
    python3                           # test and release scripts (the zips, the icons, the start-up benchmark)
    libgtest-dev                      # unit tests
    clang libclang-rt-dev             # sanitizer build and libFuzzer targets
    libbenchmark-dev                  # micro-benchmarks
    xvfb xauth xdotool x11-utils      # the real program on a virtual X display
    orca openbox                      # what a blind user hears, on a desktop with a window manager
    xfce4-settings xclip              # a clipboard manager, and reading the clipboard, on that display
    desktop-file-utils appstream      # validating the launcher and the metainfo
    dpkg-dev file lintian             # the .deb: dpkg-shlibdeps works out its dependencies, lintian checks it
    binutils-mingw-w64-x86-64         # the Windows resource script
    g++-mingw-w64-x86-64-posix        # the 64-bit Windows program, cross-built
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686  # the 32-bit Windows program
    googletest                        # GoogleTest's sources, built for Windows
    wine64 wine32:i386                # running both Windows programs and their tests
    wixl msitools                     # the Windows installers (wixl builds, msibuild stamps, msiinfo reads)
    faketime                          # a fixed clock for the tools that stamp their own time
    devscripts                        # hardening-check
    at-spi2-core dbus                 # the accessibility bus in a D-Bus session of its own
    imagemagick                       # screenshots (tools/screenshot.sh)
    git                               # the releases are built from clones of the last commit
    nlohmann-json3-dev                # reading the shared table of scenarios
    zxing-cpp-tools                   # barcodes drawn for the page's fake camera
    chromium chromium-driver python3-selenium  # the page, tested in headless Chromium
    webkit2gtk-driver                 # and in WebKit (its MiniBrowser comes with it)
    firefox-esr                       # and in Firefox, driven over its own Marionette protocol
)

case "${1:-}" in
    run) packages=("${run_packages[@]}") ;;
    web) packages=("${web_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${web_packages[@]}" "${test_packages[@]}") ;;
    only) packages=() ;;
    *) echo "usage: $0 run|web|test|only [PACKAGE...]" >&2; exit 2 ;;
esac
if [ "$1" != only ] && [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    echo "Run make as yourself, not through sudo: it asks sudo for the packages it" >&2
    echo "installs, and the build stays yours (a build made as root cannot be redone as $SUDO_USER)." >&2
    exit 1
fi
set_name=$1
shift
packages+=("$@")

new_architecture=false
if [ "$set_name" = test ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || new_architecture=true
fi

missing=()
for package in "${packages[@]}"; do
    # A machine with a Node.js of its own (NodeSource's, which bundles npm and
    # conflicts with Debian's npm) already has the client that npm ci needs.
    [ "$package" = npm ] && command -v npm >/dev/null 2>&1 && continue
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && ! $new_architecture && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These Debian packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

$new_architecture && "${as_root[@]}" dpkg --add-architecture i386
# A mirror in the middle of a sync serves an index of the wrong size now and
# then: the update is tried again, a little later, before it counts as failed.
for attempt in 1 2 3; do
    "${as_root[@]}" apt-get update && break
    [ $attempt -eq 3 ] && exit 1
    sleep $((attempt * 20))
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing Debian packages: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
