#!/usr/bin/env bash
# Plays PincerPanic under a virtual X server as a player would: space on the title, a click
# and space on the option screen, a level won with B+A, the result screen, a level lost with
# B+C, and Escape. Every screen must keep the program alive (an index error would end it with
# status 9) and Escape must end it with status 0.
# Usage: game_play.sh <path to pincerpanic>   (run inside xvfb-run)
set -u
game=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work"

fail() {
    echo "FAIL: $*"
    kill -9 "$pid" 2>/dev/null
    exit 1
}

"$game" >"$work/out.txt" 2>&1 &
pid=$!

# Start-up loads every asset, which takes a while under the sanitizers.
window=""
for _ in $(seq 300); do
    window=$(xdotool search --name '^PincerPanic' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled PincerPanic after 30 s"
for _ in $(seq 100); do
    xdotool windowfocus "$window" 2>/dev/null
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "PincerPanic" ] && break
    sleep 0.1
done

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

# Keys are not read while the game is paused: make sure it still has the focus.
for _ in $(seq 100); do
    xdotool windowfocus "$window" 2>/dev/null
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "PincerPanic" ] && break
    sleep 0.1
done

# Escape is held rather than tapped: a tap that falls between two polls of a slow frame
# goes unseen.
for _ in $(seq 10); do
    xdotool keydown Escape 2>/dev/null
    for _ in $(seq 10); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.1
    done
    xdotool keyup Escape 2>/dev/null
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape was held for 10 s"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: title, options, a level won, a level lost, Escape ends with 0"
