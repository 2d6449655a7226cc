#!/bin/bash
# The installation step for a Wine prefix: make-settings-key.sh creates
# the key empty, in the 32-bit view only, and leaves an existing key and
# its values alone.
#
#   settings_key_test.sh TOOLS_DIR PREFIX
set -euo pipefail
TOOLS=$1
PREFIX=$2
KEY='HKLM\Software\Kesti Glomb'

reg() { "$TOOLS/wine-run.sh" "$PREFIX" reg "$@" 2>/dev/null | tr -d '\r'; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

reg delete "$KEY" /reg:32 /f >/dev/null || true
"$TOOLS/make-settings-key.sh" "$PREFIX"
listing=$(reg query "$KEY" /reg:32) || fail "no key after the script"
if grep -q REG_ <<<"$listing"; then
    fail "the new key is not empty: $listing"
fi
reg query 'HKLM\Software\Wow6432Node\Kesti Glomb' /reg:64 >/dev/null ||
    fail "the key is not in the 32-bit view"
if reg query "$KEY" /reg:64 >/dev/null; then
    fail "the key also appeared in the 64-bit view"
fi

reg add "$KEY" /v Lang /t REG_DWORD /d 1 /reg:32 /f >/dev/null
"$TOOLS/make-settings-key.sh" "$PREFIX"
reg query "$KEY" /v Lang /reg:32 | grep -q 'Lang.*REG_DWORD.*0x1' ||
    fail "running it again lost a stored value"
reg delete "$KEY" /v Lang /reg:32 /f >/dev/null
echo "make-settings-key.sh: ok"
