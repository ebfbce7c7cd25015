#!/usr/bin/env bash
# Replays a hand-written script into the probe: the scripted input arrives in its frames, the
# script's frame time is the program's, the snapshots show what was drawn, and the end of the
# script ends the program with status 0. A broken recording ends it with a message and a
# non-zero status; a recording that cannot be written stops with a message. That a replay
# repeats a run exactly is record_then_replay.sh's part.
# Usage: scripted_run.sh <path to replay_probe>   (SDL's offscreen video driver is enough)
probe=$(readlink -f "$1")
. "$(dirname "$0")/../e2e/xdriver.sh"

# Moves are relative to the pointer's start at (100, 100) and add up within a frame.
cat >"$work/script.txt" <<'SCRIPT'
vornic-replay 1   # written by hand
seed 42
frametime 20
frame 3: mouse move 100 50
frame 3: mouse move 1 -1
frame 5: key 57 down
frame 8: key 57 up
frame 9: button 1 down
frame 10: button 1 up
end 12
SCRIPT
VORNIC_REPLAY="$work/script.txt" VORNIC_SNAPSHOT="4,6:$work/shots" "$probe" >"$work/out.txt" 2>&1 ||
    fail "the replay ended with status $?"
cmp -s "$work/shots/frame-4.png" "$work/shots/frame-6.png"
[ $? -eq 1 ] || fail "snapshots of frames 4 and 6 missing or alike, although space was pressed"

# Start-up's "Loading..." picture is frame 0; the probe's frame n reads what the script gives
# frame n: space down in frame 5 only, button 1 (the left one) in frame 9, the mouse moved in
# frame 3, the last frame 12, the script's frame time.
for expected in '^frame 5: .* space 1 ' '^frame 4: .* space 0 ' '^frame 8: .* space 0 ' \
    '^frame 9: .* buttons 1 0 ' '^frame 3: .* mouse 201 149 ' '^frame 12: ' 'step 20.000'; do
    grep -q "$expected" "$work/out.txt" || fail "no line matching '$expected'"
done
grep -q '^frame 13: ' "$work/out.txt" && fail "the replay ran on past the script's end"

printf 'vornic-replay 1\nframe 2: key 999 down\nend 4\n' >"$work/corrupt.txt"
VORNIC_REPLAY="$work/corrupt.txt" "$probe" >"$work/out.txt" 2>&1 && fail "a corrupt recording was accepted"
grep -q 'does not fit' "$work/out.txt" || fail "no clear message for a corrupt recording"
# A recording whose writes fail (a full disk, written to every 60 frames) says so once, and the
# run goes on to its end.
VORNIC_RECORD=/dev/full "$probe" 130 >"$work/out.txt" 2>&1 || fail "recording to a full disk: status $?"
[ "$(grep -c '^vornic: cannot write the recording /dev/full (No space left on device); recording stops$' \
    "$work/out.txt")" -eq 1 ] && grep -q '^frame 130:' "$work/out.txt" || fail "recording to a full disk"
echo "PASS: scripted input lands in its frames, the script's end ends the run, broken files refused,"
echo "      a recording to a full disk stops with one message"
