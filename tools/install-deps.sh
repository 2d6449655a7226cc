#!/bin/sh
# Installs the Debian packages that building, testing and playing need,
# and only those that are missing. Safe to run again: it does nothing
# when everything is there.
#
# Wine's 32-bit part, wine32, lives in the i386 architecture and runs only
# where the machine runs 32-bit x86 code; elsewhere the x86_64 build runs
# under wine64, and the machine gets no i386 architecture at all.
set -eu

HERE=$(dirname "$0")
PACKAGES="cmake make g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev googletest
g++-mingw-w64-i686-posix binutils-mingw-w64-i686
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
wine wine64 xvfb xauth xdotool imagemagick
fonts-wine fonts-liberation nsis zip unzip
desktop-file-utils appstream appstream-compose libglib2.0-bin x11-utils lintian"

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

if "$HERE/runs-i386.sh"; then
    PACKAGES="$PACKAGES wine32:i386"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        echo "install-deps: adding the i386 architecture"
        $SUDO dpkg --add-architecture i386
    fi
fi

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $p"
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync can fail one index; what the other
# indexes list is usually enough.
if ! $SUDO apt-get update -qq; then
    echo "install-deps: warning: apt-get update failed; installing from the package lists there are" >&2
fi
install() { $SUDO apt-get install -y -qq --no-install-recommends "$@" $missing >/dev/null; }
if ! install; then
    # On a half-synced mirror the security updates can be newer than the
    # i386 packages still listed; the release itself resolves.
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$release" ] || exit 1
    echo "install-deps: trying again with the packages of $release itself" >&2
    install -t "$release"
fi
