# Shared by the release tests: named checks, a patient wait, the settings
# key in the registry view of the i686 game, and that game started and
# stopped under Wine.

failed=0
check() { # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FAIL: $1"; failed=1; fi
}
wait_for() { # up to 30 s
    for _ in $(seq 150); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}

KEY='HKLM\Software\Kesti Glomb'
reg32() { timeout 30 wine reg "$@" /reg:32; }
key_exists() { reg32 query "$KEY"; }
key_missing() { ! key_exists; }

# The game, started in the background; it writes its defaults when it
# finds no language in its key, proof that it started and could write.
start_game() {
    reg32 delete "$KEY" /v Lang /f >/dev/null 2>&1
    timeout 60 wine "$1" &
    game=$!
}
game_wrote_settings() { wait_for reg32 query "$KEY" /v Lang; }
game_ended() { ! kill -0 "$game" 2>/dev/null; }
stop_game() { # also a game that the installer started, through the shell
    timeout 30 wine taskkill /im glomb.exe >/dev/null 2>&1
    if [ -n "${game:-}" ]; then
        wait_for game_ended
        kill "$game" 2>/dev/null
    fi
    game=""
}
