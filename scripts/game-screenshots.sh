#!/usr/bin/env bash
# Takes the README's screenshots of PincerPanic by replaying a short scripted game: the title,
# the option screen, a level in play, the hero walked to the water and the result after B+A.
# Needs no display.
# Usage: scripts/game-screenshots.sh [build folder]   (writes docs/screen-*.png)
set -euo pipefail
cd "$(dirname "$0")/.."
game=$(readlink -f "${1:-build}/game/pincerpanic")
docs=$(pwd)/docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/play.txt" <<'SCRIPT'
vornic-replay 1
seed 7
frametime 16.667
frame 30: key 57 down      # space leaves the title
frame 34: key 57 up
frame 60: mouse move 10 10
frame 70: key 57 down      # space starts the level from the option screen
frame 74: key 57 up
SCRIPT
# From frame 120 on the mouse moves up 100 pixels a frame: the hero walks from z -2000 to the
# water line at 5000 and stands just before it from frame 185 on.
for frame in $(seq 120 185); do echo "frame $frame: mouse move 0 -100"; done >>"$work/play.txt"
cat >>"$work/play.txt" <<'SCRIPT'
frame 200: key 48 down     # B+A: every crab rescued
frame 200: key 30 down
frame 206: key 30 up
frame 206: key 48 up
end 240
SCRIPT

SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work" \
    VORNIC_REPLAY="$work/play.txt" VORNIC_SNAPSHOT="20,50,110,190,230:$work/shots" "$game" >/dev/null
cp "$work/shots/frame-20.png" "$docs/screen-title.png"
cp "$work/shots/frame-50.png" "$docs/screen-options.png"
cp "$work/shots/frame-110.png" "$docs/screen-level.png"
cp "$work/shots/frame-190.png" "$docs/screen-water.png"
cp "$work/shots/frame-230.png" "$docs/screen-result.png"
echo "docs/screen-{title,options,level,water,result}.png written"
