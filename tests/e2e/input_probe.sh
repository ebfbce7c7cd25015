#!/usr/bin/env bash
# Types a line and clicks into the input probe under a virtual X server with xdotool, then
# ends it with Escape through the quit keys.
# Usage: input_probe.sh <path to input_probe>   (run inside xvfb-run)
set -u
probe=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work"

fail() {
    echo "FAIL: $*"
    echo "--- program output:"
    cat "$work/out.txt"
    kill -9 "$pid" 2>/dev/null
    exit 1
}

# Waits up to 10 s for a line matching a pattern in the program's output.
wait_for_output() {
    for _ in $(seq 100); do
        grep -q "$1" "$work/out.txt" && return 0
        sleep 0.1
    done
    return 1
}

"$probe" >"$work/out.txt" 2>&1 &
pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^InputProbe' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled InputProbe"
wait_for_output '^Init OK$' || fail "no 'Init OK'"

# Without a window manager nothing gives the window the focus: give it, and wait until the
# program is no longer paused (its title loses " <pause>") before typing.
for _ in $(seq 100); do
    xdotool windowfocus "$window" 2>/dev/null
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "InputProbe" ] && break
    sleep 0.1
done
[ "$(xdotool getwindowname "$window" 2>/dev/null)" = "InputProbe" ] ||
    fail "title stays '$(xdotool getwindowname "$window" 2>/dev/null)' with the focus given"

# Each key is held for several frames, and released as long, so that every press is seen.
line='Hello World 42, ok?'
xdotool type --delay 160 "$line"
xdotool key --delay 160 BackSpace
xdotool type --delay 160 "!"
xdotool key --delay 160 Return
wait_for_output '^LINE:' || fail "no line came back"
grep -qxF "LINE:Hello World 42, ok!" "$work/out.txt" ||
    fail "line came back as '$(grep '^LINE:' "$work/out.txt")'"

xdotool mousemove --window "$window" 123 45
sleep 0.3
xdotool mousedown 1
sleep 0.3
xdotool mouseup 1
wait_for_output '^CLICK' || fail "no click reported"
grep -qx "CLICK 123 45" "$work/out.txt" || fail "click reported as '$(grep '^CLICK' "$work/out.txt")'"

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
echo "PASS: typed line came back exactly, click at 123 45, Escape ends with 0"
