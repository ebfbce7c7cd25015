#!/usr/bin/env bash
# Runs an example from its script through the replay and compares the snapshot of the frame the
# script names (a line "# picture: frame N") with the example's committed picture.
# Usage: run_example.sh <program> <replay script> <picture> <picture_compare> <snapshot folder>
# The snapshot is kept as <snapshot folder>/<name>.png, to look at or to commit as the new
# picture when the example changed on purpose. SDL's offscreen video driver is enough.
program=$(readlink -f "$1")
script=$(readlink -f "$2")
picture=$(readlink -f "$3")
compare=$(readlink -f "$4")
kept=$(readlink -f "$5")
name=$(basename "$picture" .png)
. "$(dirname "$0")/../e2e/xdriver.sh"

frame=$(sed -n 's/^# picture: frame \([0-9][0-9]*\)$/\1/p' "$script" | head -n 1)
[ -n "$frame" ] || fail "$script names no frame for the picture ('# picture: frame N')"
# A replay runs unpaced and ends by itself; the limit only stops a program that hangs.
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_REPLAY="$script" \
    VORNIC_SNAPSHOT="$frame:$work/shots" timeout 45 "$program" >"$work/out.txt" 2>&1 ||
    fail "$name ended with status $?"
shot="$work/shots/frame-$frame.png"
[ -f "$shot" ] || fail "$name took no snapshot of frame $frame"
mkdir -p "$kept" && cp "$shot" "$kept/$name.png"
"$compare" "$picture" "$shot" || fail "$name's frame $frame differs from $picture (the snapshot is $kept/$name.png)"
echo "PASS: $name's frame $frame matches its picture"
