#!/usr/bin/env bash
# Starts the real program under a virtual X server from a directory of its own, checks its
# window and working directory, ends it with Escape and expects exit status 0.
# Usage: game_smoke.sh <path to pincerpanic>   (run inside xvfb-run)
set -u
game=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work"

fail() {
    echo "FAIL: $*"
    kill -9 "$pid" 2>/dev/null
    exit 1
}

"$game" >"$work/out.txt" 2>&1 &
pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^PincerPanic' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled PincerPanic"

xdotool getwindowgeometry "$window" | grep -q 'Geometry: 800x600' ||
    fail "window is not 800x600: $(xdotool getwindowgeometry "$window")"
# Start-up ends with "Init OK"; by then the program's directory is the working directory.
for _ in $(seq 100); do
    grep -q '^Init OK$' "$work/out.txt" && break
    sleep 0.1
done
grep -q '^Init OK$' "$work/out.txt" || fail "no 'Init OK' on standard output"
[ "$(readlink "/proc/$pid/cwd")" = "$(dirname "$game")" ] ||
    fail "working directory is $(readlink "/proc/$pid/cwd"), not the program's own"

# Without a window manager nothing gives the window the focus: give it, and wait until the
# game is no longer paused (its title loses " <pause>") before pressing Escape. Keys typed
# while it is paused are not read, so Escape is pressed again until the program ends.
for _ in $(seq 100); do
    xdotool windowfocus "$window" 2>/dev/null
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "PincerPanic" ] && break
    sleep 0.1
done
[ "$(xdotool getwindowname "$window" 2>/dev/null)" = "PincerPanic" ] ||
    fail "title stays '$(xdotool getwindowname "$window" 2>/dev/null)' with the focus given"

for _ in $(seq 20); do
    xdotool key Escape 2>/dev/null
    for _ in $(seq 5); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.1
    done
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape was pressed for 10 s"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: window 800x600 titled PincerPanic, own working directory, Escape ends with 0"
