# Shared by the Linux tests: a named check that records a failure and
# goes on, and a patient wait.

failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}
wait_for() { # up to 90 s: a fresh prefix takes a while on a busy machine
    for _ in $(seq 450); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}

# A value of the game's key as the 64-bit game sees it, in WINEPREFIX. By
# wine64 itself: Debian's wine command would pick a 32-bit loader.
reg_value() {
    WINELOADER=/usr/lib/wine/wine64 timeout 30 /usr/lib/wine/wine64 \
        reg query 'HKLM\Software\Kesti Glomb' /v "$1" /reg:64 | tr -d '\r'
}
