#!/usr/bin/env bash
# With no display to open, a program must end with an error at start-up instead of running on
# without a window (SDL would fall back on its offscreen driver).
# Usage: no_display.sh <path to a program>
program=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work" \
    timeout 60 "$program" >out.txt 2>&1
status=$?
if [ "$status" -ne 1 ] || ! grep -q '^No display to open a window on' out.txt ||
    grep -q '^Init OK$' out.txt; then
    echo "FAIL: exit status $status, expected 1 with the display named as the reason; output:"
    tail -n 20 out.txt
    exit 1
fi
echo "PASS: $(grep '^No display' out.txt)"
