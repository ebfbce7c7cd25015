#!/usr/bin/env bash
# Records a short real session of the probe under a virtual X server, with input typed and
# clicked by xdotool, then replays the recording twice: every replay prints exactly what the
# recorded run printed, and both replays save byte-identical snapshots.
# Usage: record_then_replay.sh <path to replay_probe>   (run inside xvfb-run)
probe=$(readlink -f "$1")
. "$(dirname "$0")/../e2e/xdriver.sh"

VORNIC_RECORD="$work/run.txt" start_program "$probe"
wait_for_window "Replay probe"
focus_window "Replay probe"

# A short session: the mouse moves, space is held, a click, then Escape. Each step waits for
# the probe to print what it saw, not for a time.
xdotool mousemove --window "$window" 200 150
wait_for_output '^frame ' "$(printed_lines)" || fail "no frame after the mouse moved"
xdotool keydown space
wait_for_output ' space 1 ' "$(printed_lines)" || fail "the held space never showed"
xdotool keyup space
wait_for_output ' space 0 ' "$(printed_lines)" || fail "the released space never showed"
xdotool mousedown 1
wait_for_output ' buttons 1 ' "$(printed_lines)" || fail "the held button never showed"
xdotool mouseup 1
wait_for_output ' buttons 0 ' "$(printed_lines)" || fail "the released button never showed"
escape_until_exit 0
cp "$work/out.txt" "$work/recorded.txt"
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
diff -r "$work/shots1" "$work/shots2" >/dev/null || fail "the snapshots differ between replays"
[ "$(ls "$work/shots1" | wc -l)" -ge 2 ] || fail "snapshots missing"
echo "PASS: $frames recorded frames replayed identically twice ($(wc -c <"$work/run.txt") bytes)"
