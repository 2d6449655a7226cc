# Shared by the script tests: a named check that records a failure and
# goes on, and a patient wait of up to wait_seconds (30 unless the caller
# sets it).

failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}
wait_for() { # wait_for COMMAND...
    for _ in $(seq $((${wait_seconds:-30} * 5))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}
