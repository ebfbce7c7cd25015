#!/usr/bin/env bash
# Plays PincerPanic under a virtual X server as a player would: space on the title, a click
# and space on the option screen, a level won with B+A, the result screen, a level lost with
# B+C, and a tap of Escape in the level that follows. Every screen must keep the program alive
# (an index error would end it with status 9) and the tap must end it with status 0.
# Usage: game_play.sh <path to pincerpanic>   (run inside xvfb-run)
game=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

start_program "$game"
wait_for_window PincerPanic
focus_window PincerPanic

# Holds the keys for a while, so that the game sees them in several frames even when its
# frames are slow (software rendering, sanitizers), then lets go.
hold() {
    local seconds=$1
    shift
    xdotool keydown "$@" 2>/dev/null
    sleep "$seconds"
    xdotool keyup "$@" 2>/dev/null
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "ended during: $*"
}

hold 1 space # title
# A click where the pointer rests (the game's own pointer starts away from every option).
xdotool click 1 2>/dev/null
sleep 0.3
hold 1 space # options
sleep 1
hold 1 b a # every crab rescued: the level is won
hold 1 space # level result, on to level 2 with 100 crabs
sleep 1
hold 1 b c # every crab killed: the level is lost
hold 1 space # level result, one life fewer
sleep 1
kill -0 "$pid" 2>/dev/null || fail "ended before Escape"

focus_window PincerPanic
# A tap, while the level runs its slow frames, is enough.
escape_until_exit 0
echo "PASS: title, options, a level won, a level lost, a tap of Escape in a level ends with 0"
