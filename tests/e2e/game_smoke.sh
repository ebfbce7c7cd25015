#!/usr/bin/env bash
# Starts the real program under a virtual X server from a directory of its own, checks its
# window and working directory, ends it with Escape and expects exit status 0.
# Usage: game_smoke.sh <path to pincerpanic>   (run inside xvfb-run)
game=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

start_program "$game"
wait_for_window PincerPanic
xdotool getwindowgeometry "$window" | grep -q 'Geometry: 800x600' ||
    fail "window is not 800x600: $(xdotool getwindowgeometry "$window")"
# Start-up ends with "Init OK"; by then the program's directory is the working directory.
wait_for_output '^Init OK$' || fail "no 'Init OK' on standard output"
[ "$(readlink "/proc/$pid/cwd")" = "$(dirname "$game")" ] ||
    fail "working directory is $(readlink "/proc/$pid/cwd"), not the program's own"

focus_window PincerPanic
escape_until_exit 0
echo "PASS: window 800x600 titled PincerPanic, own working directory, Escape ends with 0"
