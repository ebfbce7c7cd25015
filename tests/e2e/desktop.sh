#!/usr/bin/env bash
# The desktop commands of a real program under a virtual X server: the window's id, the file
# dialog with the real zenity (a typed path), a looping movie, a console window on xterm.
# Usage: desktop.sh <path to desktop_probe>   (run inside xvfb-run)
probe=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

stop_program() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
}

# Answers the dialog window $1 with the path $2 until the program reports; a dialog still
# setting itself up loses keys, so each try starts afresh. (A cancelled dialog is the unit
# tests' part: zenity ends with status 1 either way.)
answer_dialog() {
    for _ in $(seq 8); do
        xdotool windowfocus "$1" 2>/dev/null
        xdotool key ctrl+l
        xdotool type --delay 40 "$2"
        xdotool key Return
        for _ in $(seq 30); do
            grep -q '^CWD:' "$work/out.txt" && return 0
            sleep 0.1
        done
    done
    return 1
}

# What the program reported after "$1:" (text on the same line before it, such as a bell, is
# not the program's report).
reported() {
    grep "$1:" "$work/out.txt" | tail -n 1 | sed "s/.*$1://"
}

start_program "$probe" handle
wait_for_window DesktopProbe
wait_for_output '^HANDLE:' || fail "no window id printed"
[ "$(reported HANDLE)" = "$window" ] || fail "window id $(reported HANDLE) is not window $window"
stop_program

mkdir -p "$work/pictures"
touch "$work/pictures/crab shell.png"
start_program "$probe" dialog
wait_for_window DesktopProbe
wait_for_window "Open File"
answer_dialog "$window" "$work/pictures/crab shell.png" || fail "no answer from the dialog"
[ "$(reported CHOSEN)" = "$work/pictures/crab shell.png" ] || fail "chose '$(reported CHOSEN)'"
[ "$(reported CWD)" = same ] || fail "working directory $(reported CWD)"
stop_program

# A looping movie ends only by a key.
ffmpeg -v error -f lavfi -i color=c=0x00FF00:s=64x48:r=10:d=1 -f lavfi -i sine=duration=1 \
    -c:v mpeg4 -c:a pcm_s16le "$work/loop.avi" || fail "ffmpeg could not make a clip"
start_program "$probe" movie "$work/loop.avi"
wait_for_window DesktopProbe
focus_window DesktopProbe
for _ in $(seq 60); do
    xdotool key space
    grep -q 'MOVIE:' "$work/out.txt" && break
    sleep 0.5
done
[ "$(reported MOVIE)" = 0 ] || fail "the movie gave '$(reported MOVIE)' after keys were pressed"
stop_program

start_program "$probe" console
wait_for_window DesktopProbe
wait_for_window Console
for _ in $(seq 100); do
    [[ $(readlink "/proc/$pid/fd/1") == /dev/pts/* ]] && break
    sleep 0.1
done
[[ $(readlink "/proc/$pid/fd/1") == /dev/pts/* ]] ||
    fail "standard output still goes to $(readlink "/proc/$pid/fd/1")"
grep -q TERMINAL "$work/out.txt" && fail "the console's text went to the old output"
# The terminal of the console window is the program's child: it goes with the program, and no
# other terminal on the machine is touched.
console=$(ps -o pid= --ppid "$pid")
stop_program
[ -z "$console" ] || kill $console 2>/dev/null
echo "PASS: window id, a typed path in the dialog, a looping movie ended by a key, console window"
