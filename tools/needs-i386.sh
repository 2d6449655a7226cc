#!/bin/sh
# Runs COMMAND where the i686 game's tests are to run: on a machine that
# runs 32-bit x86 code, unless GLOMB_ARCH=win64 chose the 64-bit suite.
# Otherwise it says why not and exits 77, which CTest reports as skipped,
# never as passed.
#
#   needs-i386.sh COMMAND [ARGS...]
if ! "$(dirname "$0")/runs-i386.sh"; then
    echo "skipped: needs 32-bit x86 code (the i686 game, a test of it, or the installer), which this machine cannot run (Exec format error)"
    exit 77
fi
# That run builds only the i686 game, for its static checks: the test
# programs and the installer that these tests start do not exist.
if [ "${GLOMB_ARCH:-}" = win64 ]; then
    echo "skipped: GLOMB_ARCH=win64 chose the 64-bit suite, which runs only the i686 release's static checks"
    exit 77
fi
exec "$@"
