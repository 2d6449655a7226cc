#!/bin/sh
# Runs COMMAND where this machine runs 32-bit x86 code. Elsewhere it says
# why not and exits 77, which CTest reports as skipped, never as passed.
#
#   needs-i386.sh COMMAND [ARGS...]
if ! "$(dirname "$0")/runs-i386.sh"; then
    echo "skipped: needs 32-bit x86 code (the i686 game, a test of it, or the installer), which this machine cannot run (Exec format error)"
    exit 77
fi
exec "$@"
