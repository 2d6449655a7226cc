#!/bin/sh
# Which Windows build this machine tests and plays: win32 (the shipped
# i686 game) where it runs 32-bit x86 code, win64 (the same source for
# x86_64, under wine64) where it does not. GLOMB_ARCH=win32|win64 forces
# the choice.
#
#   windows-arch.sh          prints win32 or win64
#   windows-arch.sh --why    prints one sentence on the choice
set -eu
here=$(dirname "$0")

case "${GLOMB_ARCH:-}" in
win32 | win64)
    arch=$GLOMB_ARCH why="GLOMB_ARCH=$GLOMB_ARCH asks for it"
    if [ "$arch" = win32 ] && ! "$here/runs-i386.sh"; then
        why="$why, though this machine runs no 32-bit x86 code: every test of the i686 game is skipped"
    fi
    ;;
"")
    if "$here/runs-i386.sh"; then
        arch=win32 why="this machine runs 32-bit x86 code, so the shipped i686 game runs under Wine"
    else
        arch=win64 why="this machine runs 64-bit code only (Exec format error for i386), so the x86_64 build runs under wine64"
    fi
    ;;
*)
    echo "windows-arch: GLOMB_ARCH=$GLOMB_ARCH is neither win32 nor win64" >&2
    exit 2
    ;;
esac

if [ "${1:-}" = --why ]; then
    echo "Windows suite: $arch, because $why."
else
    echo "$arch"
fi
