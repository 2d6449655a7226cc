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
