#!/usr/bin/env bash
# The desktop commands of a real program under a virtual X server: the window's id, the file
# dialog with the real zenity (a typed path, Escape), a console window on xterm.
# Usage: desktop.sh <path to desktop_probe>   (run inside xvfb-run)
probe=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

stop_program() {
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
}

# Answers the dialog window $1 with the path $2 (or Escape when none) until the program
# reports; a dialog still setting itself up loses keys, so each try starts afresh.
answer_dialog() {
    for _ in $(seq 8); do
        xdotool windowfocus "$1" 2>/dev/null
        if [ -n "${2:-}" ]; then
            xdotool key ctrl+l
            xdotool type --delay 40 "$2"
            xdotool key Return
        else
            xdotool key Escape
        fi
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

# Waits up to 30 seconds for a window of another program, named exactly $1.
wait_for_named() {
    local deadline=$((SECONDS + 30)) found
    while [ "$SECONDS" -lt "$deadline" ]; do
        found=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.1
    done
    return 1
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
dialog=$(wait_for_named "Open File") || fail "no dialog window"
answer_dialog "$dialog" "$work/pictures/crab shell.png" || fail "no answer from the dialog"
[ "$(reported CHOSEN)" = "$work/pictures/crab shell.png" ] || fail "chose '$(reported CHOSEN)'"
[ "$(reported CWD)" = same ] || fail "working directory $(reported CWD)"
stop_program

start_program "$probe" dialog
wait_for_window DesktopProbe
dialog=$(wait_for_named "Open File") || fail "no dialog window to cancel"
answer_dialog "$dialog" || fail "no answer from the cancelled dialog"
[ "$(reported CHOSEN)" = NO_FILE ] || fail "cancelled dialog gave '$(reported CHOSEN)'"
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
wait_for_named Console >/dev/null || fail "no console window"
for _ in $(seq 100); do
    case $(readlink "/proc/$pid/fd/1") in /dev/pts/*) break ;; esac
    sleep 0.1
done
case $(readlink "/proc/$pid/fd/1") in
/dev/pts/*) ;;
*) fail "standard output still goes to $(readlink "/proc/$pid/fd/1")" ;;
esac
grep -q TERMINAL "$work/out.txt" && fail "the console's text went to the old output"
# The terminal of the console window is the program's child: it goes with the program, and no
# other terminal on the machine is touched.
console=$(ps -o pid= --ppid "$pid")
stop_program
[ -z "$console" ] || kill $console 2>/dev/null
echo "PASS: window id, dialog answers (typed path, Escape), a looping movie ended by a key, console window"
