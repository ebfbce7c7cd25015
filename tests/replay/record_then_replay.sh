#!/usr/bin/env bash
# Records a short real session of the probe under a virtual X server, with input typed and
# clicked by xdotool, then replays the recording twice: every replay prints exactly what the
# recorded run printed, and both replays save byte-identical snapshots.
# Usage: record_then_replay.sh <path to replay_probe>   (run inside xvfb-run)
set -u
probe=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work" VORNIC_NO_MESSAGE_BOX=1

fail() {
    echo "FAIL: $*"
    kill -9 "$pid" 2>/dev/null
    exit 1
}

VORNIC_RECORD="$work/run.txt" "$probe" >"$work/recorded.txt" 2>&1 &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^Replay probe' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no probe window"
for _ in $(seq 100); do
    xdotool windowfocus "$window" 2>/dev/null
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Replay probe" ] && break
    sleep 0.1
done

# A short session: the mouse moves, space is held, a click, then Escape.
xdotool mousemove --window "$window" 200 150
sleep 0.3
xdotool mousemove_relative 30 20
sleep 0.2
xdotool keydown space
sleep 0.3
xdotool keyup space
xdotool click 1
sleep 0.3
for _ in $(seq 20); do
    xdotool key Escape 2>/dev/null
    for _ in $(seq 5); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.1
    done
done
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "recorded run ended with status $status"
grep -q '^end ' "$work/run.txt" || fail "the recording has no end line"
frames=$(grep -c '^frame [0-9]*: ' "$work/recorded.txt")
[ "$frames" -gt 5 ] || fail "only $frames frames were recorded"

last=$(grep '^frame [0-9]*: ' "$work/recorded.txt" | tail -n 1 | cut -d' ' -f2 | tr -d :)
shots="2,$((last / 2)),$last"
for run in 1 2; do
    VORNIC_REPLAY="$work/run.txt" VORNIC_SNAPSHOT="$shots:$work/shots$run" \
        "$probe" >"$work/replayed$run.txt" 2>&1
    status=$?
    [ "$status" -eq 0 ] || fail "replay $run ended with status $status"
    cmp -s <(grep -v '^vornic' "$work/recorded.txt") <(grep -v '^vornic' "$work/replayed$run.txt") ||
        fail "replay $run printed something else than the recorded run: $(diff "$work/recorded.txt" "$work/replayed$run.txt" | head -n 5)"
done
for shot in "$work"/shots1/*.png; do
    cmp -s "$shot" "$work/shots2/${shot##*/}" || fail "snapshot ${shot##*/} differs between replays"
done
[ "$(ls "$work/shots1" | wc -l)" -ge 2 ] || fail "snapshots missing"
grep -q 'space 1' "$work/recorded.txt" || fail "the held space never showed in the recorded run"
echo "PASS: $frames recorded frames replayed identically twice ($(wc -c <"$work/run.txt") bytes)"
