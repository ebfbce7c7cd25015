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
export TMPDIR="$work"
shots="$work/shots"

fail() {
    echo "FAIL: $*"
    exit 1
}

# Level 1 starts with the fresh space at frame 70; from frame 80 on the mouse moves up 100
# pixels a frame, each moving the hero 100 toward the water: from z -2000 to 4600 by frame 145,
# where the lower half of the screen still shows the beach just before the water line (5000).
first_step=80
last_step=145
{
    echo "vornic-replay 1"
    echo "seed 7"
    echo "frametime 16.667"
    echo "frame 30: key 57 down"
    echo "frame 36: key 57 up"
    echo "frame 70: key 57 down"
    echo "frame 76: key 57 up"
    for ((frame = first_step; frame <= last_step; ++frame)); do
        echo "frame $frame: mouse move 0 -100"
    done
    echo "end $((last_step + 2))"
} >"$work/walk.txt"

frames=$(seq -s, "$((first_step - 1))" 6 "$((last_step + 1))")
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_NO_MESSAGE_BOX=1 \
    VORNIC_REPLAY="$work/walk.txt" VORNIC_PRINT_LOG="$work/printed.txt" \
    VORNIC_SNAPSHOT="$frames:$shots" "$game" >"$work/out.txt" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the walk ended with status $status"
grep -q "^$((first_step - 1)) .*Lives: 3" "$work/printed.txt" ||
    fail "frame $((first_step - 1)) is not in level 1"

# A grid over the lower half of the 800 x 600 screen.
read -r -a grid <<<"$(awk 'BEGIN {
    for (y = 310; y < 600; y += 20) for (x = 20; x < 800; x += 40) printf "%d %d ", x, y }')"
brightness() {
    "$pixel_probe" "$shots/frame-$1.png" "${grid[@]}" |
        awk '{ sum += $1 + $2 + $3 } END { printf "%.1f\n", sum / (3 * NR) }'
}

start=""
for frame in ${frames//,/ }; do
    level=$(brightness "$frame") || fail "cannot read the snapshot of frame $frame"
    [ -n "$start" ] || start=$level
    echo "frame $frame: ground brightness $level (start $start)"
    awk -v now="$level" -v start="$start" \
        'BEGIN { exit !(now >= 0.75 * start && now <= 1.25 * start) }' ||
        fail "the ground in frame $frame is $level bright, more than 25% from the start's $start"
done
echo "PASS: the beach stays within 25% of its starting brightness from the start to the water"
