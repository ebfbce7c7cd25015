#!/usr/bin/env bash
# With no display to open, a program must end with an error at start-up instead of running on
# without a window (SDL would fall back on its offscreen driver).
# Usage: no_display.sh <path to a program>   (run outside any X server)
program=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 "$program" >"$work/out.txt" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
grep -q '^Init OK$' "$work/out.txt" && fail "start-up went on without a display"
grep -q '^No display to open a window on' "$work/out.txt" ||
    fail "the display is not named as the reason"
echo "PASS: $(grep '^No display' "$work/out.txt")"
