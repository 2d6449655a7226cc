#!/bin/sh
# Installs the Debian packages that building, testing and playing need,
# and only those that are missing. Safe to run again: it does nothing
# when everything is there.
set -eu

PACKAGES="cmake make g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev googletest
g++-mingw-w64-i686-posix binutils-mingw-w64-i686
wine wine32 wine64 xvfb xauth xdotool imagemagick
fonts-wine fonts-liberation nsis zip unzip
desktop-file-utils appstream appstream-compose libglib2.0-bin x11-utils lintian"

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

# wine32 lives in the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture"
    $SUDO dpkg --add-architecture i386
    NEED_UPDATE=1
fi

missing=""
for p in $PACKAGES; do
    case "$p" in wine32) q="wine32:i386" ;; *) q="$p" ;; esac
    status=$(dpkg-query -W -f='${Status}' "$q" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $q"
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
