#!/usr/bin/env bash
# Types a line and clicks into the input probe under a virtual X server with xdotool, then
# ends it with Escape through the quit keys.
# Usage: input_probe.sh <path to input_probe>   (run inside xvfb-run)
probe=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

start_program "$probe"
wait_for_window InputProbe
wait_for_output '^Init OK$' || fail "no 'Init OK'"
focus_window InputProbe

# The first frames after the focus can be slow (sanitizers): let them pass before typing.
sleep 1
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

escape_until_exit 0
echo "PASS: typed line came back exactly, click at 123 45, Escape ends with 0"
