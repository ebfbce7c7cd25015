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
# Each line the run must print: space down in frame 5 only, button 1 in frame 9, the mouse
# moved in frame 3, the last frame 12, the script's frame time.
for expected in '^frame 5: .* space 1 ' '^frame 4: .* space 0 ' '^frame 8: .* space 0 ' \
    '^frame 9: .* buttons 1 0 ' '^frame 3: .* mouse 200 150 ' '^frame 12: ' 'step 20.000'; do
    grep -q "$expected" "$work/out1.txt" || fail "no line matching '$expected'"
done
grep -q '^frame 13: ' "$work/out1.txt" && fail "the replay ran on past the script's end"

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
