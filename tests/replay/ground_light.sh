#!/usr/bin/env bash
# Walks PincerPanic's hero from the start of level 1 to the water through a scripted replay and
# checks that the beach stays lit: in every snapshot on the way, the mean brightness of the
# lower half of the screen (the ground around the hero) is within 25% of the first one's.
# Usage: ground_light.sh <path to pincerpanic> <path to pixel_probe>
# (SDL's offscreen video driver is enough)
set -u
game=$(readlink -f "$1")
pixel_probe=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# Level 1 starts with the fresh space at frame 70; from frame 80 to 145 the mouse moves up 100
# pixels a frame, each moving the hero 100 toward the water: from z -2000 to 4600, where the
# lower half of the screen still shows the beach just before the water line (5000).
{
    printf '%s\n' "vornic-replay 1" "seed 7" "frametime 16.667" "frame 30: key 57 down" \
        "frame 36: key 57 up" "frame 70: key 57 down" "frame 76: key 57 up"
    seq -f 'frame %g: mouse move 0 -100' 80 145
    echo "end 147"
} >"$work/walk.txt"
frames=$(seq -s' ' 79 6 146)
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work" \
    VORNIC_REPLAY="$work/walk.txt" VORNIC_PRINT_LOG="$work/printed.txt" \
    VORNIC_SNAPSHOT="${frames// /,}:$work/shots" "$game" >"$work/out.txt" 2>&1 ||
    fail "the walk ended with status $?"
grep -q "^79 .*Lives: 3" "$work/printed.txt" || fail "frame 79 is not in level 1"

# The mean of the three channels over a grid on the lower half of the 800 x 600 screen.
read -r -a grid <<<"$(awk 'BEGIN {
    for (y = 310; y < 600; y += 20) for (x = 20; x < 800; x += 40) printf "%d %d ", x, y }')"
start=""
for frame in $frames; do
    level=$("$pixel_probe" "$work/shots/frame-$frame.png" "${grid[@]}" |
        awk '{ sum += $1 + $2 + $3 } END { if (NR) printf "%.1f\n", sum / (3 * NR) }')
    [ -n "$level" ] || fail "cannot read the snapshot of frame $frame"
    start=${start:-$level}
    echo "frame $frame: ground brightness $level (start $start)"
    awk -v now="$level" -v start="$start" 'BEGIN { exit !(now >= 0.75 * start && now <= 1.25 * start) }' ||
        fail "the ground in frame $frame is $level bright, more than 25% from the start's $start"
done
echo "PASS: the beach stays within 25% of its starting brightness from the start to the water"
