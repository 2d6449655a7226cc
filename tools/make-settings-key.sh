#!/bin/bash
# The installation step for a Wine prefix: creates the program's empty
# settings key if it is missing. The program only ever opens the key.
#
#   make-settings-key.sh PREFIX
#
# The game is a 32-bit program, so the key belongs in the 32-bit view of
# the registry (Wow6432Node in a 64-bit prefix); /reg:32 puts it there
# whichever reg.exe runs. An existing key and its values are left alone.
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 PREFIX" >&2
    exit 2
fi
RUN="$(dirname "$0")/wine-run.sh"
KEY='HKLM\Software\Kesti Glomb'

if ! "$RUN" "$1" reg query "$KEY" /reg:32 >/dev/null 2>&1; then
    "$RUN" "$1" reg add "$KEY" /reg:32 /f >/dev/null
    # Wine's reg add also sets the default value; the key starts empty.
    "$RUN" "$1" reg delete "$KEY" /ve /reg:32 /f >/dev/null
fi
