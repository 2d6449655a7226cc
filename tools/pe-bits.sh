#!/bin/sh
# Prints 32 or 64: whether the Windows program EXE is i686 or x86_64 code.
# Wine keeps each kind's HKLM\Software apart (the 32-bit view is the 64-bit
# prefix's Wow6432Node), so scripts give reg.exe /reg:32 or /reg:64 to
# work where the program under test looks.
#
#   pe-bits.sh EXE
set -eu
exe=${1:?usage: pe-bits.sh EXE}
# The PE header's offset is at 60; its machine field follows "PE\0\0".
offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$exe" | tr -d ' ')
case "$machine" in
014c) echo 32 ;;
8664) echo 64 ;;
*)
    echo "pe-bits: $exe is neither i686 nor x86_64 Windows code (machine $machine)" >&2
    exit 1
    ;;
esac
