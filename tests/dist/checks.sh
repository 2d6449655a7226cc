# Shared by the release tests: the settings key in the registry view of
# the i686 game, and that game started and stopped under Wine.

. "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

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
