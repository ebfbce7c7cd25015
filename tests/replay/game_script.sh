#!/usr/bin/env bash
# Plays PincerPanic from a script through the replay: title, option screen, a level won with
# B+A, a level walked to the water and then lost with B+C, two more lost, the game-over screen
# and a new game. The texts the screens printed (VORNIC_PRINT_LOG) must come in that order and
# the run must end with 0; snapshots of chosen frames are checked by their pixels. What each
# screen says is the game tests' part: this run checks that the real program goes through them
# and draws them.
# Usage: game_script.sh <path to pincerpanic> <path to pixel_probe>
# (SDL's offscreen video driver is enough)
game=$(readlink -f "$1")
pixel_probe=$(readlink -f "$2")
. "$(dirname "$0")/../e2e/xdriver.sh"

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
    press 120 48 30 # B+A: every crab rescued
    press 150 57    # on to level 2
    # From frame 170 to 202 the mouse moves up 200 pixels a frame, each moving the hero 200
    # toward the water: from z -2000 to 4600, still on the beach before the water line (5000).
    seq -f 'frame %g: mouse move 0 -200' 170 202
    # B+C: every crab killed, three times: the third loss is the game over.
    for frame in 220 260 300; do press $frame 48 46 && press $((frame + 20)) 57; done
    # Fresh presses of space: from the game over to the title (held on into the options), then
    # the new game's first level.
    press 360 57 && press 380 57
    echo "end 400"
} >"$work/play.txt"

walk=$(seq -s, 169 3 203)
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_REPLAY="$work/play.txt" \
    VORNIC_PRINT_LOG="$work/printed.txt" VORNIC_SNAPSHOT="33,48,58,110,130,$walk,340:$work/shots" \
    "$game" >"$work/out.txt" 2>&1 || fail "the scripted game ended with status $?"

log="$work/printed.txt"
# The first frame a text was printed in, after frame $2 when given ("" when never).
first() { awk -v f="${2:--1}" '$1 > f' "$log" | grep -F -- "$1" | head -n 1 | cut -d' ' -f1; }
# The colours ("r g b" lines) of the picture file $1 at the points that follow (x y pairs).
pixels() { "$pixel_probe" "$@" || echo "cannot read $1"; }
# The points of the box $1..$2 x $3..$4 with the steps $5 across and $6 down.
grid() {
    awk -v x0="$1" -v x1="$2" -v y0="$3" -v y1="$4" -v dx="$5" -v dy="$6" 'BEGIN {
        for (y = y0; y <= y1; y += dy) for (x = x0; x <= x1; x += dx) printf "%d %d ", x, y }'
}
# The mean of the three channels of snapshot $1 over the box and steps $2..$7 of grid().
mean() {
    # shellcheck disable=SC2046
    pixels "$work/shots/frame-$1.png" $(grid "${@:2}") | awk '{ s += $1 + $2 + $3 } END { print s / (3 * NR) }'
}

grep -q '^[0-9]* 250 550 Press space$' "$log" || fail "no 'Press space' at 250, 550"
level1=$(first 'Lives: 3')
# Space held over from the title must not leave the option screen: only the press at 70 does.
[ "${level1:-0}" -ge 70 ] || fail "the level started in frame '$level1', not after space at 70"
grep -q " 480 10 Crabs: *50$" "$log" || fail "level 1 does not have 50 crabs"
[ -n "$(first 'Congratulations !!!  ')" ] || fail "B+A did not win the level"
[ -n "$(first 'Sorry !!!  ')" ] || fail "B+C did not lose the level"
over=$(first 'Game Over !!!  ')
again=$(first 'Lives: 3' "${over:-99999}")
grep -q "^$again 480 10 Crabs: *50$" "$log" || fail "no game over, or no new game of 50 crabs after it"

# Snapshots that show a picture file placed with its corner at (left, top): at each of the
# picture's points (x y pairs), every channel within 24 of the file's. The option screen
# (frame 33, space still held from the title) at points on its backdrop, buttons, heading and
# crab, away from the pointer at (100, 100); the check mark at 'off' (80, 264) after the
# click beside the full-screen button (48) and at 'on' (80, 191) after the click on its corner
# (58), at points in the middle of its strokes; the result (130) and game-over (340) backdrops,
# clear of the printed lines.
while read -r frame picture left top points; do
    read -r -a at <<<"$points"
    read -r -a on_screen <<<"$(awk -v l="$left" -v t="$top" 'BEGIN {
        for (i = 1; i < ARGC; i += 2) printf "%d %d ", ARGV[i] + l, ARGV[i + 1] + t }' "${at[@]}")"
    paste -d' ' <(pixels "$(dirname "$game")/bmp/$picture" "${at[@]}") \
        <(pixels "$work/shots/frame-$frame.png" "${on_screen[@]}") |
        awk '{ for (c = 1; c <= 3; ++c) if ($c - $(c + 3) > 24 || $(c + 3) - $c > 24) bad = 1 }
             END { exit bad || NR == 0 }' || fail "snapshot $frame does not show $picture at $left, $top"
done <<'SHOWS'
33 options.bmp 0 0 0 0 45 196 321 284 296 340 400 60 400 470 700 580
48 haken.bmp 80 264 5 15 12 21 16 17 20 12 24 7
58 haken.bmp 80 191 5 15 12 21 16 17 20 12 24 7
130 level_x1.bmp 0 0 400 20 740 100 740 260 400 320 600 410 200 430 700 570 50 580
340 level_x1.bmp 0 0 400 20 740 100 740 260 400 320 600 410 200 430 700 570 50 580
SHOWS

# Level 1 in play (110) shows the 3D beach: sand in front and the sea behind, and the status
# lines print dark-outlined letters (every channel below 60) over the sky.
pixels "$work/shots/frame-110.png" 100 150 700 150 100 450 700 500 |
    awk '{ bad += $1 < 185 || $1 > 240 || $2 < 160 || $2 > 215 || $3 < 110 || $3 > 165 } END { exit bad }' ||
    fail "frame 110 shows no sand in front"
pixels "$work/shots/frame-110.png" 100 60 300 70 700 80 |
    awk '{ bad += $1 > 70 || $2 < 50 || $2 > 100 || $3 < 80 || $3 > 112 } END { exit bad }' ||
    fail "frame 110 shows no sea behind"
# shellcheck disable=SC2046
letters=$(pixels "$work/shots/frame-110.png" $(grid 480 560 8 22 1 1) |
    awk '$1 < 60 && $2 < 60 && $3 < 60 { ++n } END { print n + 0 }')
[ "$letters" -ge 60 ] || fail "frame 110 has $letters letter pixels at the crab count, under 60"

# On the walk to the water in level 2 the beach stays lit: the mean brightness of the lower
# half of the screen (the ground around the hero) stays within 25% of the first snapshot's.
start=$(mean 169 20 780 310 590 40 20)
for frame in ${walk//,/ }; do
    level=$(mean "$frame" 20 780 310 590 40 20)
    awk -v now="$level" -v start="$start" 'BEGIN { exit !(start > 100 && now >= 0.75 * start && now <= 1.25 * start) }' ||
        fail "the ground in frame $frame is $level bright, not within 25% of the start's $start"
done
echo "PASS: title, options and their marks, a won level, a lit walk to the water, lost levels,"
echo "      the game over and a new game of 50 crabs"
