#!/usr/bin/env bash
# Plays PincerPanic from a script through the replay: title, option screen, a level won with
# B+A, three levels lost with B+C, the game-over screen and a new game. The texts the screens
# printed (VORNIC_PRINT_LOG) must be the game's, in that order, and the run must end with 0.
# Snapshots of chosen frames are checked by their pixels: the option screen and its check
# marks, a level in play, a result screen and the game-over screen.
# Usage: game_script.sh <path to pincerpanic> <path to pixel_probe>
# (SDL's offscreen video driver is enough)
set -u
game=$(readlink -f "$1")
pixel_probe=$(readlink -f "$2")
# The pictures the game's sprites are loaded from, generated next to the game at build time.
sprites="$(dirname "$game")/bmp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
# The game changes to its own directory at start-up, so the snapshot folder is given whole.
shots="$work/shots"

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
    # The pointer goes to the corner (0, 0), then to (71, 219): just right of the full-screen
    # button, whose click area is 20..70 x 191..219. Then one pixel left, onto its corner.
    echo "frame 40: mouse move -500 -500"
    echo "frame 41: mouse move 71 219"
    echo "frame 43: button 1 down"
    echo "frame 45: button 1 up"
    echo "frame 50: mouse move -1 0"
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

# Snapshots: the option screen while space from the title is still held (33), after the click
# beside the button (48) and after the click on it (58), level 1 in play (150), the result of
# the won level (210) and the game-over screen (840).
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_NO_MESSAGE_BOX=1 \
    VORNIC_REPLAY="$work/play.txt" VORNIC_PRINT_LOG="$work/printed.txt" \
    VORNIC_SNAPSHOT="33,48,58,150,210,840:$shots" "$game" >"$work/out.txt" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the scripted game ended with status $status"

log="$work/printed.txt"
# The first frame a text was printed in ("" when never).
first() { grep -F -- "$1" "$log" | head -n 1 | cut -d' ' -f1; }
# The first frame after frame $1 that printed text $2.
first_after() { awk -v f="$1" '$1 > f' "$log" | grep -F -- "$2" | head -n 1 | cut -d' ' -f1; }
# Whether frame $1 printed text $2.
printed_in() { grep "^$1 " "$log" | grep -q -F -- "$2"; }

# The points that follow (x y pairs), moved by $1, $2.
moved_by() {
    awk 'BEGIN {
        for (i = 3; i < ARGC; i += 2) printf "%d %d ", ARGV[i] + ARGV[1], ARGV[i + 1] + ARGV[2]
    }' "$@"
}
# Whether snapshot $1 shows the picture file $2 placed with its corner at ($3, $4): at each of
# the picture's points that follow (x y pairs), every channel within 24 of the file's.
shows() {
    local frame=$1 picture=$2 left=$3 top=$4
    shift 4
    local expected seen on_screen
    read -r -a on_screen <<<"$(moved_by "$left" "$top" "$@")"
    expected=$("$pixel_probe" "$picture" "$@") || fail "cannot read the pixels of $picture"
    seen=$("$pixel_probe" "$shots/frame-$frame.png" "${on_screen[@]}") ||
        fail "cannot read the pixels of the snapshot of frame $frame"
    paste -d' ' <(echo "$expected") <(echo "$seen") |
        awk '{ for (c = 1; c <= 3; ++c) if ($c - $(c + 3) > 24 || $(c + 3) - $c > 24) bad = 1 }
             END { exit bad }'
}
# Whether every point that follows (x y pairs) of snapshot $1 has a colour within the ranges
# $2, "rmin rmax gmin gmax bmin bmax".
colour_in() {
    local frame=$1 ranges=$2
    shift 2
    local seen
    seen=$("$pixel_probe" "$shots/frame-$frame.png" "$@") ||
        fail "cannot read the pixels of the snapshot of frame $frame"
    echo "$seen" | awk -v ranges="$ranges" 'BEGIN { split(ranges, range, " ") }
        { for (c = 1; c <= 3; ++c) if ($c < range[2 * c - 1] || $c > range[2 * c]) bad = 1 }
        END { exit bad }'
}
# The number of near-black pixels (every channel below 60) of snapshot $1 in the box
# $2..$3 x $4..$5: the outlines of printed letters. Fails when the snapshot cannot be read.
dark_pixels() {
    local seen box
    read -r -a box <<<"$(awk -v x0="$2" -v x1="$3" -v y0="$4" -v y1="$5" \
        'BEGIN { for (y = y0; y <= y1; ++y) for (x = x0; x <= x1; ++x) printf "%d %d ", x, y }')"
    seen=$("$pixel_probe" "$shots/frame-$1.png" "${box[@]}") || return 1
    echo "$seen" | awk '$1 < 60 && $2 < 60 && $3 < 60 { ++dark } END { print dark + 0 }'
}

grep -q '^[0-9]* 250 550 Press space$' "$log" || fail "no 'Press space' at 250, 550"
level1=$(first 'Lives: 3')
[ -n "$level1" ] || fail "no level started"
# Space held over from the title must not leave the option screen: only the press at 70 does.
[ "$level1" -ge 70 ] || fail "the level started in frame $level1, before space was pressed again"
grep -q " 480 10 Crabs: *50$" "$log" || fail "level 1 does not have 50 crabs"

# The option screen is sprite 70 (options.bmp): points on its backdrop, buttons, heading and
# crab, away from the pointer, which starts at (100, 100).
options="$sprites/options.bmp"
printed_in 33 'Press space' || fail "frame 33 printed no 'Press space'"
shows 33 "$options" 0 0 0 0 45 196 321 284 296 340 400 60 400 470 700 580 ||
    fail "frame 33, space still held from the title, does not show the option screen"
# The check mark (sprite 72, haken.bmp) marks full screen at (80, 191) when on and at (80, 264)
# when off. These points lie in the middle of its bright strokes; where no mark is, the
# option screen shows through. The pointer, drawn from y 219 down, covers none of them.
check_mark=(5 15 12 21 16 17 20 12 24 7)
read -r -a mark_on <<<"$(moved_by 80 191 "${check_mark[@]}")"
read -r -a mark_off <<<"$(moved_by 80 264 "${check_mark[@]}")"
shows 48 "$sprites/haken.bmp" 80 264 "${check_mark[@]}" ||
    fail "the click at (71, 219), beside the full-screen button, took the mark from 'off'"
shows 48 "$options" 0 0 "${mark_on[@]}" ||
    fail "the click at (71, 219), beside the full-screen button, put a mark at 'on'"
shows 58 "$sprites/haken.bmp" 80 191 "${check_mark[@]}" ||
    fail "the click at (70, 219), on the full-screen button, put no mark at 'on'"
shows 58 "$options" 0 0 "${mark_off[@]}" ||
    fail "the click at (70, 219), on the full-screen button, left the mark at 'off'"

# Level 1 in play shows the 3D beach: sand in front and the sea behind, and the status lines
# print dark-outlined letters over the sky.
printed_in 150 'Lives: 3' || fail "frame 150 is not in level 1"
colour_in 150 "185 240 160 215 110 165" 100 150 700 150 100 450 700 500 ||
    fail "frame 150 shows no sand in front"
colour_in 150 "0 70 50 100 80 112" 100 60 300 70 700 80 || fail "frame 150 shows no sea behind"
letters=$(dark_pixels 150 480 560 8 22) || fail "cannot read the snapshot of frame 150"
[ "$letters" -ge 60 ] || fail "frame 150 has $letters letter pixels at the crab count, under 60"

# Result and game-over screens are drawn over sprites 51 and 52, both level_x1.bmp: points on
# its sky, panel, sand, crabs and prompt band, clear of the printed lines.
result_backdrop=(400 20 740 100 740 260 400 320 600 410 200 430 700 570 50 580)

won=$(first 'Congratulations !!!  ')
[ -n "$won" ] || fail "B+A did not win the level"
for text in 'You rescued 50 of 50 crabs' 'Get ready for level 2 with' '100 crabs!!!'; do
    [ -n "$(first_after $((won - 1)) "$text")" ] || fail "the result screen lacks '$text'"
done
printed_in 210 'Congratulations !!!  ' || fail "frame 210 is not the result of the won level"
shows 210 "$sprites/level_x1.bmp" 0 0 "${result_backdrop[@]}" ||
    fail "the result screen in frame 210 does not show its backdrop"
level2=$(first_after "$won" 'Crabs: ')
grep "^$level2 480 10 Crabs: " "$log" | grep -q ' 100$' || fail "level 2 does not have 100 crabs"

lost=$(first 'Sorry !!!  ')
[ -n "$lost" ] || fail "B+C did not lose the level"
[ -n "$(first_after "$lost" '2 tries left, try again !!!')" ] || fail "no '2 tries left'"
[ -n "$(first_after "$lost" 'Lives: 2')" ] || fail "losing a level did not cost a life"

over=$(first 'Game Over !!!  ')
[ -n "$over" ] || fail "no game-over screen after the last life"
printed_in 840 'Game Over !!!  ' || fail "frame 840 is not the game-over screen"
shows 840 "$sprites/level_x1.bmp" 0 0 "${result_backdrop[@]}" ||
    fail "the game-over screen in frame 840 does not show its backdrop"
again=$(first_after "$over" 'Lives: 3')
[ -n "$again" ] || fail "no new game after the game over"
grep "^$again 480 10 Crabs: " "$log" | grep -q ' 50$' || fail "the new game does not start with 50 crabs"
echo "PASS: title, options, won level, lost levels, game over and a new game with 3 lives and"
echo "      50 crabs; snapshots of the option screen, its marks, a level, a result, the game over"
