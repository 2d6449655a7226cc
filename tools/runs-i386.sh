#!/bin/sh
# Exits 0 where this machine runs 32-bit x86 programs, 1 where it does not
# (a kernel without IA-32 emulation answers "Exec format error"). The
# question decides whether Wine can run the i686 game here, and it needs
# no Wine to answer: the probe is the smallest i386 Linux program, which
# only exits.
set -eu
# Beside this script rather than in /tmp, which may forbid running programs.
probe=$(mktemp "$(dirname "$0")/.runs-i386.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment, then mov eax,1; xor ebx,ebx; int 0x80.
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
printf '\270\001\000\000\000\061\333\315\200' >>"$probe"
chmod 700 "$probe"
"$probe" 2>/dev/null || exit 1
