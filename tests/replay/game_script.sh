#!/usr/bin/env bash
# Plays PincerPanic from a script through the replay: title, option screen, a level won with
# B+A, a level walked to the water and then lost with B+C, two more lost, the game-over screen
# and a new game. The texts the screens printed (VORNIC_PRINT_LOG) must come in that order and
# the run must end with 0; snapshots of chosen frames are checked by their pixels. The texts of
# each screen are the game tests' part: this run checks that the real program goes through them.
# Usage: game_script.sh <path to pincerpanic> <path to pixel_probe>
# (SDL's offscreen video driver is enough)
game=$(readlink -f "$1")
pixel_probe=$(readlink -f "$2")
. "$(dirname "$0")/../e2e/xdriver.sh"
# The pictures the game's sprites are loaded from, generated next to the game at build time.
sprites="$(dirname "$game")/bmp"

{
    printf '%s\n' "vornic-replay 1" "seed 7" "frametime 16.667"
    press() { # frame, keys...
        local frame=$1
        shift
        for key in "$@"; do echo "frame $frame: key $key down"; done
        for key in "$@"; do echo "frame $((frame + 6)): key $key up"; done
    }
    press 30 57 # space: title to options (held on into the option screen)
    # The pointer goes to the corner (0, 0), then to (71, 219): just right of the full-screen
    # button, whose click area is 20..70 x 191..219. Then one pixel left, onto its corner.
    printf '%s\n' "frame 40: mouse move -500 -500" "frame 41: mouse move 71 219" \
        "frame 43: button 1 down" "frame 45: button 1 up" "frame 50: mouse move -1 0" \
        "frame 53: button 1 down" "frame 55: button 1 up"
    press 70 57     # a fresh space: the level starts
    press 200 48 30 # B+A: every crab rescued
    press 260 57    # on to level 2
    # From frame 280 to 345 the mouse moves up 100 pixels a frame, each moving the hero 100
    # toward the water: from z -2000 to 4600, still on the beach before the water line (5000).
    seq -f 'frame %g: mouse move 0 -100' 280 345
    press 400 48 46 # B+C: every crab killed
    press 480 57
    press 560 48 46 # lost again
    press 640 57
    press 720 48 46 # the last life
    for frame in 800 880 960 1040; do press $frame 57; done # game over, then a new game
    echo "end 1200"
} >"$work/play.txt"

# Snapshots: the option screen while space from the title is still held (33), after the click
# beside the button (48) and after the click on it (58), level 1 in play (150), the result of
# the won level (210), the walk to the water (279 to 345) and the game-over screen (840).
walk=$(seq -s, 279 6 346)
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_REPLAY="$work/play.txt" VORNIC_PRINT_LOG="$work/printed.txt" \
    VORNIC_SNAPSHOT="33,48,58,150,210,$walk,840:$work/shots" "$game" >"$work/out.txt" 2>&1 ||
    fail "the scripted game ended with status $?"

log="$work/printed.txt"
# The first frame a text was printed in, after frame $2 when given ("" when never).
first() { awk -v f="${2:--1}" '$1 > f' "$log" | grep -F -- "$1" | head -n 1 | cut -d' ' -f1; }
# Whether frame $1 printed text $2.
printed_in() { grep "^$1 " "$log" | grep -q -F -- "$2"; }
# The colours ("r g b" lines) of snapshot $1 at the points that follow (x y pairs).
pixels() {
    local frame=$1
    shift
    "$pixel_probe" "$work/shots/frame-$frame.png" "$@" || fail "cannot read snapshot $frame"
}
# The points of the box $1..$2 x $3..$4 with the steps $5 across and $6 down, moved by $7, $8.
grid() {
    awk -v x0="$1" -v x1="$2" -v y0="$3" -v y1="$4" -v dx="$5" -v dy="$6" 'BEGIN {
        for (y = y0; y <= y1; y += dy) for (x = x0; x <= x1; x += dx) printf "%d %d ", x, y }'
}
# Whether snapshot $1 shows the picture file $2 placed with its corner at ($3, $4): at each of
# the picture's points that follow (x y pairs), every channel within 24 of the file's.
shows() {
    local frame=$1 picture=$2 left=$3 top=$4 on_screen
    shift 4
    read -r -a on_screen <<<"$(awk -v l="$left" -v t="$top" 'BEGIN {
        for (i = 1; i < ARGC; i += 2) printf "%d %d ", ARGV[i] + l, ARGV[i + 1] + t }' "$@")"
    paste -d' ' <("$pixel_probe" "$picture" "$@") <(pixels "$frame" "${on_screen[@]}") |
        awk '{ for (c = 1; c <= 3; ++c) if ($c - $(c + 3) > 24 || $(c + 3) - $c > 24) bad = 1 }
             END { exit bad || NR == 0 }'
}
# Whether every point that follows (x y pairs) of snapshot $1 has a colour within the ranges
# $2, "rmin rmax gmin gmax bmin bmax".
colour_in() {
    local frame=$1 ranges=$2
    shift 2
    pixels "$frame" "$@" | awk -v ranges="$ranges" 'BEGIN { split(ranges, range, " ") }
        { for (c = 1; c <= 3; ++c) if ($c < range[2 * c - 1] || $c > range[2 * c]) bad = 1 }
        END { exit bad }'
}

grep -q '^[0-9]* 250 550 Press space$' "$log" || fail "no 'Press space' at 250, 550"
level1=$(first 'Lives: 3')
# Space held over from the title must not leave the option screen: only the press at 70 does.
[ "${level1:-0}" -ge 70 ] || fail "the level started in frame '$level1', not after space at 70"
grep -q " 480 10 Crabs: *50$" "$log" || fail "level 1 does not have 50 crabs"

# The option screen is sprite 70 (options.bmp): points on its backdrop, buttons, heading and
# crab, away from the pointer, which starts at (100, 100).
shows 33 "$sprites/options.bmp" 0 0 0 0 45 196 321 284 296 340 400 60 400 470 700 580 ||
    fail "frame 33, space still held from the title, does not show the option screen"
# The check mark (sprite 72, haken.bmp) marks full screen at (80, 191) when on and at (80, 264)
# when off; these points lie in the middle of its bright strokes. The pointer, drawn from
# y 219 down, covers none of them.
check_mark=(5 15 12 21 16 17 20 12 24 7)
shows 48 "$sprites/haken.bmp" 80 264 "${check_mark[@]}" ||
    fail "the click at (71, 219), beside the full-screen button, took the mark from 'off'"
shows 58 "$sprites/haken.bmp" 80 191 "${check_mark[@]}" ||
    fail "the click at (70, 219), on the full-screen button, put no mark at 'on'"

# Level 1 in play shows the 3D beach: sand in front and the sea behind, and the status lines
# print dark-outlined letters (every channel below 60) over the sky.
printed_in 150 'Lives: 3' || fail "frame 150 is not in level 1"
colour_in 150 "185 240 160 215 110 165" 100 150 700 150 100 450 700 500 ||
    fail "frame 150 shows no sand in front"
colour_in 150 "0 70 50 100 80 112" 100 60 300 70 700 80 || fail "frame 150 shows no sea behind"
read -r -a box <<<"$(grid 480 560 8 22 1 1)"
letters=$(pixels 150 "${box[@]}" | awk '$1 < 60 && $2 < 60 && $3 < 60 { ++n } END { print n + 0 }')
[ "$letters" -ge 60 ] || fail "frame 150 has $letters letter pixels at the crab count, under 60"

# Result and game-over screens are drawn over sprites 51 and 52, both level_x1.bmp: points on
# its sky, panel, sand, crabs and prompt band, clear of the printed lines.
result_backdrop=(400 20 740 100 740 260 400 320 600 410 200 430 700 570 50 580)
won=$(first 'Congratulations !!!  ')
[ -n "$won" ] || fail "B+A did not win the level"
printed_in 210 'Congratulations !!!  ' || fail "frame 210 is not the result of the won level"
shows 210 "$sprites/level_x1.bmp" 0 0 "${result_backdrop[@]}" ||
    fail "the result screen in frame 210 does not show its backdrop"

# On the walk to the water the beach stays lit: the mean brightness of the lower half of the
# screen (the ground around the hero) stays within 25% of the first snapshot's.
printed_in 279 'Lives: 3' || fail "frame 279 is not in level 2"
read -r -a lower_half <<<"$(grid 20 780 310 590 40 20)"
start=""
for frame in ${walk//,/ }; do
    level=$(pixels "$frame" "${lower_half[@]}" | awk '{ s += $1 + $2 + $3 } END { print s / (3 * NR) }')
    start=${start:-$level}
    awk -v now="$level" -v start="$start" 'BEGIN { exit !(now >= 0.75 * start && now <= 1.25 * start) }' ||
        fail "the ground in frame $frame is $level bright, more than 25% from the start's $start"
done

[ -n "$(first 'Sorry !!!  ')" ] || fail "B+C did not lose the level"
over=$(first 'Game Over !!!  ')
[ -n "$over" ] || fail "no game-over screen after the last life"
printed_in 840 'Game Over !!!  ' || fail "frame 840 is not the game-over screen"
shows 840 "$sprites/level_x1.bmp" 0 0 "${result_backdrop[@]}" ||
    fail "the game-over screen in frame 840 does not show its backdrop"
again=$(first 'Lives: 3' "$over")
[ -n "$again" ] || fail "no new game after the game over"
grep "^$again 480 10 Crabs: " "$log" | grep -q ' 50$' || fail "the new game does not start with 50 crabs"
echo "PASS: title, options and their marks, a won level, a lit walk to the water, lost levels,"
echo "      the game over and a new game with 3 lives and 50 crabs"
