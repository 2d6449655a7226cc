#!/bin/bash
# Checks the executable a player downloads: a 32-bit PE for the GUI
# subsystem that Windows XP SP3 still loads (OS and subsystem versions at
# most 5.1), with ASLR, DEP and its manifest, at most 64 KiB without debug
# sections, importing only the functions on an explicit list.
#
#   pe_check.sh EXE ALLOWED_IMPORTS
set -uo pipefail

exe=${1:?usage: pe_check.sh EXE ALLOWED_IMPORTS}
allowed=${2:?usage: pe_check.sh EXE ALLOWED_IMPORTS}
dump=$(i686-w64-mingw32-objdump -h -p "$exe") || exit 1
failed=0
fail() { echo "FAIL: $exe: $*"; failed=1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i386 PE"
grep -Eq '^Subsystem\s+00000002' <<<"$dump" || fail "not a GUI program"
flags=$(awk '/^DllCharacteristics/ {print $2}' <<<"$dump")
(( 0x$flags & 0x40 )) || fail "no ASLR (DllCharacteristics $flags)"
grep -q ' \.reloc ' <<<"$dump" || fail "no relocations, so ASLR cannot move it"
(( 0x$flags & 0x100 )) || fail "no DEP (DllCharacteristics $flags)"

# Windows XP is version 5.1: a higher OS or subsystem version refuses to load.
for field in OSystem Subsystem; do
    version=$(awk -v f="$field" '$1 == "Major" f "Version" { major = $2 }
                                 $1 == "Minor" f "Version" { minor = $2 }
                                 END { print major "." minor }' <<<"$dump")
    (( ${version%.*} * 100 + ${version#*.} <= 501 )) ||
        fail "Major/Minor${field}Version $version, above XP's 5.1"
done

# The manifest is resource type 24 in the top level of the resource tree.
grep -Eq '^[0-9a-f]+   Entry: ID: 0x000018,' <<<"$dump" || fail "no manifest"

size=$(stat -c %s "$exe")
(( size <= 65536 )) || fail "$size bytes, more than 64 KiB"
debug=$(awk '$2 ~ /^\.debug/ {printf "%s ", $2}' <<<"$dump")
[ -z "$debug" ] || fail "debug sections: $debug"

# "dll function" per import, compared with the list (comments and blank
# lines aside).
imports=$(awk '/DLL Name:/ { dll = tolower($3) }
               /^\t[0-9a-f]+\t +[0-9]+ / && dll { print dll, $3 }' <<<"$dump" | LC_ALL=C sort)
while read -r import; do
    fail "imports $import, which is not on $allowed"
done < <(LC_ALL=C comm -23 <(echo "$imports") <(grep -Ev '^(#|$)' "$allowed" | LC_ALL=C sort))

[ $failed = 0 ] && echo "ok: $exe, $size bytes, $(wc -l <<<"$imports") imports on the list"
exit $failed
