# Shared by the Linux tests: named checks, a patient wait and the game's
# settings as the 64-bit game sees them.

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
wait_seconds=90 # a fresh prefix takes a while on a busy machine

# A value of the game's key as the 64-bit game sees it, in WINEPREFIX. By
# wine64 itself: Debian's wine command would pick a 32-bit loader; and
# under the launcher's Windows user name.
reg_value() {
    USER=glomb WINELOADER=/usr/lib/wine/wine64 timeout 30 /usr/lib/wine/wine64 \
        reg query 'HKLM\Software\Kesti Glomb' /v "$1" /reg:64 | tr -d '\r'
}
