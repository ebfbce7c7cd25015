#!/usr/bin/env bash
# Plays PincerPanic from a script through the replay: title, option screen, a level won with
# B+A, three levels lost with B+C, the game-over screen and a new game. The texts the screens
# printed (VORNIC_PRINT_LOG) must be the game's, in that order, and the run must end with 0.
# Usage: game_script.sh <path to pincerpanic>   (SDL's offscreen video driver is enough)
set -u
game=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"

fail() {
    echo "FAIL: $*"
    exit 1
}

{
    echo "vornic-replay 1"
    echo "seed 7"
    echo "frametime 16.667"
    press() { # frame, keys...
        local frame=$1
        shift
        for key in "$@"; do echo "frame $frame: key $key down"; done
        for key in "$@"; do echo "frame $((frame + 6)): key $key up"; done
    }
    press 30 57 # space: title to options (held on into the option screen)
    echo "frame 50: mouse move -500 -500"
    echo "frame 51: mouse move 70 219"
    echo "frame 53: button 1 down"
    echo "frame 55: button 1 up"
    press 70 57        # a fresh space: the level starts
    press 200 48 30    # B+A: every crab rescued
    press 260 57       # on to level 2
    press 400 48 46    # B+C: every crab killed
    press 480 57
    press 560 48 46    # lost again
    press 640 57
    press 720 48 46    # the last life
    for frame in 800 880 960 1040; do press $frame 57; done # game over, then a new game
    echo "end 1200"
} >"$work/play.txt"

SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_NO_MESSAGE_BOX=1 \
    VORNIC_REPLAY="$work/play.txt" VORNIC_PRINT_LOG="$work/printed.txt" "$game" >"$work/out.txt" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the scripted game ended with status $status"

log="$work/printed.txt"
# The first frame a text was printed in ("" when never).
first() { grep -F -- "$1" "$log" | head -n 1 | cut -d' ' -f1; }
# The first frame after frame $1 that printed text $2.
first_after() { awk -v f="$1" '$1 > f' "$log" | grep -F -- "$2" | head -n 1 | cut -d' ' -f1; }

grep -q '^[0-9]* 250 550 Press space$' "$log" || fail "no 'Press space' at 250, 550"
level1=$(first 'Lives: 3')
[ -n "$level1" ] || fail "no level started"
# Space held over from the title must not leave the option screen: only the press at 70 does.
[ "$level1" -gt 70 ] || fail "the level started in frame $level1, before space was pressed again"
grep -q " 480 10 Crabs: *50$" "$log" || fail "level 1 does not have 50 crabs"

won=$(first 'Congratulations !!!  ')
[ -n "$won" ] || fail "B+A did not win the level"
for text in 'You rescued 50 of 50 crabs' 'Get ready for level 2 with' '100 crabs!!!'; do
    [ -n "$(first_after $((won - 1)) "$text")" ] || fail "the result screen lacks '$text'"
done
level2=$(first_after "$won" 'Crabs: ')
grep "^$level2 480 10 Crabs: " "$log" | grep -q ' 100$' || fail "level 2 does not have 100 crabs"

lost=$(first 'Sorry !!!  ')
[ -n "$lost" ] || fail "B+C did not lose the level"
[ -n "$(first_after "$lost" '2 tries left, try again !!!')" ] || fail "no '2 tries left'"
[ -n "$(first_after "$lost" 'Lives: 2')" ] || fail "losing a level did not cost a life"

over=$(first 'Game Over !!!  ')
[ -n "$over" ] || fail "no game-over screen after the last life"
again=$(first_after "$over" 'Lives: 3')
[ -n "$again" ] || fail "no new game after the game over"
grep "^$again 480 10 Crabs: " "$log" | grep -q ' 50$' || fail "the new game does not start with 50 crabs"
echo "PASS: title, options, won level, lost levels, game over and a new game with 3 lives and 50 crabs"
