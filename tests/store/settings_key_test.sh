#!/bin/bash
# The installation step for a Wine prefix: make-settings-key.sh creates
# the key empty, in the game's own registry view only, and leaves an
# existing key and its values alone.
#
#   settings_key_test.sh TOOLS_DIR PREFIX GLOMB_EXE
set -euo pipefail
TOOLS=$1
PREFIX=$2
EXE=$3
KEY='HKLM\Software\Kesti Glomb'
bits=$("$TOOLS/pe-bits.sh" "$EXE")
other=$((96 - bits)) # the other view: 64 for 32, 32 for 64

reg() { "$TOOLS/wine-run.sh" "$PREFIX" reg "$@" 2>/dev/null | tr -d '\r'; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

reg delete "$KEY" /reg:$bits /f >/dev/null || true
reg delete "$KEY" /reg:$other /f >/dev/null || true
"$TOOLS/make-settings-key.sh" "$PREFIX" "$EXE"
listing=$(reg query "$KEY" /reg:$bits) || fail "no key after the script"
if grep -q REG_ <<<"$listing"; then
    fail "the new key is not empty: $listing"
fi
if [ "$bits" = 32 ]; then
    reg query 'HKLM\Software\Wow6432Node\Kesti Glomb' /reg:64 >/dev/null ||
        fail "the key is not in the 32-bit view"
fi
if reg query "$KEY" /reg:$other >/dev/null; then
    fail "the key also appeared in the $other-bit view, where a $bits-bit game does not look"
fi

reg add "$KEY" /v Lang /t REG_DWORD /d 1 /reg:$bits /f >/dev/null
"$TOOLS/make-settings-key.sh" "$PREFIX" "$EXE"
reg query "$KEY" /v Lang /reg:$bits | grep -q 'Lang.*REG_DWORD.*0x1' ||
    fail "running it again lost a stored value"
reg delete "$KEY" /v Lang /reg:$bits /f >/dev/null
echo "make-settings-key.sh: ok, in the $bits-bit view"
