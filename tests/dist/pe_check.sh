#!/bin/bash
# Checks a built Windows executable: a 32-bit PE for the GUI subsystem (or
# the console, for tools), with ASLR and DEP, importing nothing but the
# system DLLs, so that it runs alone on any Windows.
#
#   pe_check.sh EXE gui|console
set -uo pipefail

exe=${1:?usage: pe_check.sh EXE gui|console}
kind=${2:-gui}
dump=$(i686-w64-mingw32-objdump -p "$exe") || exit 1
failed=0
fail() { echo "FAIL: $exe: $*"; failed=1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i386 PE"
if [ "$kind" = gui ]; then
    grep -Eq '^Subsystem\s+00000002' <<<"$dump" || fail "not a GUI program"
fi
flags=$(awk '/^DllCharacteristics/ {print $2}' <<<"$dump")
(( 0x$flags & 0x40 )) || fail "no ASLR (DllCharacteristics $flags)"
(( 0x$flags & 0x100 )) || fail "no DEP (DllCharacteristics $flags)"

allowed='^(kernel32|user32|gdi32|advapi32|shell32|msvcrt)\.dll$'
while read -r dll; do
    grep -Eqi "$allowed" <<<"$dll" || fail "depends on $dll"
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")

[ $failed = 0 ] && echo "ok: $exe ($(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$dump"))"
exit $failed
