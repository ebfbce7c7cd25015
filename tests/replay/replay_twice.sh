#!/usr/bin/env bash
# Replays a hand-written script into the probe twice: both runs must print the same state and
# save byte-identical snapshots, the scripted input must arrive in its frames, and the end of
# the script must end the program with status 0. Broken recordings must end it with a message
# and a non-zero status.
# Usage: replay_twice.sh <path to replay_probe>   (SDL's offscreen video driver is enough)
set -u
probe=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"

fail() {
    echo "FAIL: $*"
    exit 1
}

cat >"$work/script.txt" <<'SCRIPT'
vornic-replay 1
seed 42
frametime 20
frame 3: mouse move 100 50
frame 5: key 57 down
frame 8: key 57 up
frame 9: button 1 down
frame 10: button 1 up
end 12
SCRIPT

for run in 1 2; do
    VORNIC_REPLAY="$work/script.txt" VORNIC_SNAPSHOT="4,6,11:$work/shots$run" \
        "$probe" >"$work/out$run.txt" 2>"$work/err$run.txt"
    status=$?
    [ "$status" -eq 0 ] || fail "run $run ended with status $status: $(cat "$work/err$run.txt")"
done

cmp -s "$work/out1.txt" "$work/out2.txt" || fail "the two replays printed different states"
for frame in 4 6 11; do
    [ -s "$work/shots1/frame-$frame.png" ] || fail "no snapshot of frame $frame"
    cmp -s "$work/shots1/frame-$frame.png" "$work/shots2/frame-$frame.png" ||
        fail "snapshots of frame $frame differ"
done
cmp -s "$work/shots1/frame-4.png" "$work/shots1/frame-6.png" &&
    fail "frames 4 and 6 show the same picture although space was pressed in between"

# Start-up's "Loading..." picture is frame 0; the probe's frame n reads what the script gives
# frame n.
grep -q '^frame 5: .* space 1 ' "$work/out1.txt" || fail "space not down in frame 5"
grep -q '^frame 4: .* space 0 ' "$work/out1.txt" || fail "space down too early"
grep -q '^frame 8: .* space 0 ' "$work/out1.txt" || fail "space still down in frame 8"
grep -q '^frame 9: .* buttons 1 0 ' "$work/out1.txt" || fail "button 1 not down in frame 9"
grep -q '^frame 3: .* mouse 200 150 ' "$work/out1.txt" || fail "the mouse did not move in frame 3"
grep -q '^frame 12: ' "$work/out1.txt" || fail "the replay ended before the script's last frame"
grep -q '^frame 13: ' "$work/out1.txt" && fail "the replay ran on past the script's end"
grep -q 'step 20.000' "$work/out1.txt" || fail "the frame time is not the script's 20 ms"

# A recording that does not fit ends the program with a clear message and status 2.
printf 'vornic-replay 7\nend 3\n' >"$work/version.txt"
printf 'vornic-replay 1\nseed 1\nframe 2: key 57 down\n' >"$work/truncated.txt"
printf 'vornic-replay 1\nframe 2: key 999 down\nend 4\n' >"$work/corrupt.txt"
for broken in version truncated corrupt; do
    VORNIC_REPLAY="$work/$broken.txt" "$probe" >/dev/null 2>"$work/err.txt"
    status=$?
    [ "$status" -ne 0 ] || fail "the $broken recording was accepted"
    grep -q 'does not fit' "$work/err.txt" || fail "no clear message for the $broken recording"
done
echo "PASS: two replays of a script agree; scripted input lands in its frames; broken files refused"
