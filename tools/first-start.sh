# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the install checks. first_start DATA COMMAND...: runs the game
# as a new player with no display, waits until it has filled its data folder
# DATA (or ended), then ends it with SIGTERM as a logout would. Returns the
# game's status, or 124 when it outlived SIGTERM by 20 s (then it is killed).
first_start() {
    local data=$1
    shift
    "$@" &
    local game=$!
    for _ in $(seq 600); do
        [ -f "$data/speedattack.hss" ] && break
        kill -0 $game 2>/dev/null || break
        sleep 0.1
    done
    sleep 1
    kill -TERM $game 2>/dev/null || true
    for _ in $(seq 200); do
        kill -0 $game 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 $game 2>/dev/null; then
        kill -KILL $game
        wait $game 2>/dev/null || true
        return 124
    fi
    local status=0
    wait $game || status=$?
    return $status
}
