#!/usr/bin/env bash
# Types a line and clicks into the input probe under a virtual X server with xdotool, then
# ends it with Escape through the quit keys. Every key waits until the probe has taken the last
# one and seen it released: nothing depends on how long a frame takes.
# Usage: input_probe.sh <path to input_probe>   (run inside xvfb-run)
probe=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

start_program "$probe"
wait_for_window InputProbe
wait_for_output '^Init OK$' || fail "no 'Init OK'"
focus_window InputProbe

# Sends one key (xdotool arguments) and waits for the probe to take it and see it released.
send_key() {
    local from
    from=$(printed_lines)
    xdotool "$@"
    wait_for_output '^KEY ' "$from" || fail "the probe never took: xdotool $*"
    wait_for_output '^UP$' "$from" || fail "the keys of 'xdotool $*' never came up"
}

line='Hello World 42, ok?'
for ((i = 0; i < ${#line}; ++i)); do
    send_key type -- "${line:i:1}"
done
send_key key BackSpace
send_key type '!'
xdotool key Return
wait_for_output '^LINE:' || fail "no line came back"
grep -qxF "LINE:Hello World 42, ok!" "$work/out.txt" ||
    fail "line came back as '$(grep '^LINE:' "$work/out.txt")'"

xdotool mousemove --window "$window" 123 45
wait_for_output '^POINTER 123 45$' || fail "the pointer never reached 123 45"
xdotool mousedown 1
wait_for_output '^CLICK' || fail "no click reported"
xdotool mouseup 1
grep -qx "CLICK 123 45" "$work/out.txt" || fail "click reported as '$(grep '^CLICK' "$work/out.txt")'"

escape_until_exit 0
echo "PASS: typed line came back exactly, click at 123 45, Escape ends with 0"
