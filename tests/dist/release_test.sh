#!/bin/bash
# Builds what players download, as `make dist` does, for the installer
# and zip tests to try: the sums match and the zip holds what its read-me
# names.
#
#   release_test.sh SOURCE_DIR WIN32_BUILD_DIR WIN64_BUILD_DIR OUT_DIR
set -uo pipefail

src=$1 out=$4
"$src/tools/make-dist.sh" "$2" "$3" "$out" || exit 1
. "$src/tests/dist/checks.sh"
check "the sums match what was built" bash -c "cd '$out' && sha256sum --quiet -c SHA256SUMS"
check "the zip holds the game, the registry file, its importer and a read-me" \
    bash -c "unzip -Z1 '$out/glomb-1.0.0.1.zip' | sort | tr '\n' ' ' |
             grep -qx 'README.txt create-key.cmd glomb.exe glomb.reg '"
check "the Windows files hold the i686 game" \
    bash -c "unzip -p '$out/glomb-1.0.0.1.zip' glomb.exe | cmp - '$2/ui/glomb.exe'"
exit $failed
