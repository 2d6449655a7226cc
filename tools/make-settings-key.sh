#!/bin/bash
# The installation step for a Wine prefix: creates the program's empty
# settings key if it is missing. The program only ever opens the key.
#
#   make-settings-key.sh PREFIX GLOMB_EXE
#
# The key goes where GLOMB_EXE looks for it: the i686 game in the 32-bit
# view of the registry (Wow6432Node in a 64-bit prefix), the x86_64 build
# in the 64-bit view. An existing key and its values are left alone.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 PREFIX GLOMB_EXE" >&2
    exit 2
fi
TOOLS=$(dirname "$0")
RUN="$TOOLS/wine-run.sh"
KEY='HKLM\Software\Kesti Glomb'
VIEW=/reg:$("$TOOLS/pe-bits.sh" "$2")

if ! "$RUN" "$1" reg query "$KEY" "$VIEW" >/dev/null 2>&1; then
    "$RUN" "$1" reg add "$KEY" "$VIEW" /f >/dev/null
    # Wine's reg add also sets the default value; the key starts empty.
    "$RUN" "$1" reg delete "$KEY" /ve "$VIEW" /f >/dev/null
fi
