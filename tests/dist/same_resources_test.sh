#!/bin/bash
# The shipped i686 game carries exactly the resources of the x86_64 build,
# whose resource, dialog and end-to-end tests run wherever wine64 does:
# texts, menus, dialogs, accelerators, pictures and version record, byte
# for byte. Only the manifest's processor differs, as it must.
#
#   same_resources_test.sh I686_EXE X86_64_EXE
set -uo pipefail

exe32=${1:?usage: same_resources_test.sh I686_EXE X86_64_EXE}
exe64=${2:?usage: same_resources_test.sh I686_EXE X86_64_EXE}
[ -f "$exe64" ] || { echo "FAIL: $exe64 is missing; build the win64 preset first"; exit 1; }

# The resources as a script, the manifest's processor set aside.
resources() { # WINDRES EXE ARCH
    "$1" -i "$2" -O rc | sed "s/processorArchitecture=\"\"$3\"\"/processorArchitecture=\"\"THIS\"\"/"
}
if differences=$(diff <(resources i686-w64-mingw32-windres "$exe32" x86) \
    <(resources x86_64-w64-mingw32-windres "$exe64" amd64)); then
    echo "ok: the same resources, the manifests naming x86 and amd64"
    exit 0
fi
echo "FAIL: the i686 and x86_64 games differ in their resources (or a manifest names the wrong processor):"
head -40 <<<"$differences"
exit 1
