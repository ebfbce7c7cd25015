#!/usr/bin/env bash
# A program ends on SIGTERM and SIGINT whatever it shows (the software-renderer warning box
# included), and ends with a message when its X server goes away, leaving no box behind.
# Usage: end_on_signal.sh <path to a program that prints "frame N:" lines>   (under xvfb-run)
program=$(readlink -f "$1")
. "$(dirname "$0")/xdriver.sh"

box_title='!!OpenGL Software Emulation!!'

# Waits for the warning box; the processes showing it are noted in $helpers (pid,pid...).
wait_for_box() {
    wait_for_window "$box_title"
    helpers=$(ps -o pid= --ppid "$pid" | xargs | tr ' ' ,)
}

# The processes that showed the box must be gone with the program.
expect_helpers_gone() {
    for _ in $(seq 20); do
        [ -z "$helpers" ] || ! ps -p "$helpers" >/dev/null && return 0
        sleep 0.1
    done
    kill -9 ${helpers//,/ }
    fail "$1: the box's processes $helpers outlived the program"
}

# A virtual X server of this script's own, so that it can be stopped under the program.
start_own_server() {
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.txt" 2>&1 &
    server=$!
    local number=""
    read -r -t 10 number <&3 || fail "no display number from Xvfb"
    export DISPLAY=":$number"
}

# 1. SIGTERM while the box is up (SDL shows it on X11 through zenity).
unset VORNIC_NO_MESSAGE_BOX
start_program "$program"
wait_for_box
kill -TERM "$pid"
wait_for_end "SIGTERM with the box up"
expect_helpers_gone "SIGTERM with the box up"
echo "PASS: SIGTERM with the box up ends the program"

# 2. SIGINT while running. A background job of a script starts with SIGINT ignored, which a
# program rightly keeps: the default is given back for this run.
export VORNIC_NO_MESSAGE_BOX=1
start_program env --default-signal=INT "$program"
wait_for_output '^frame 1:' || fail "the program did not start"
kill -INT "$pid"
wait_for_end "SIGINT while running" || fail "SIGINT while running: exit status $?"
echo "PASS: SIGINT while running ends the program with status 0"

# 3. The X server stops under the running program, then under the box.
outer_display=$DISPLAY
for state in running box; do
    start_own_server
    [ "$state" = box ] && unset VORNIC_NO_MESSAGE_BOX
    start_program "$program"
    if [ "$state" = box ]; then
        wait_for_box
    else
        wait_for_output '^frame 1:' || fail "the program did not start"
    fi
    kill -TERM "$server"
    wait "$server"
    wait_for_end "X server gone ($state)" && fail "X server gone ($state): exit status 0"
    grep -q 'connection to the X server is lost' "$work/out.txt" ||
        fail "X server gone ($state): no message"
    expect_helpers_gone "X server gone ($state)"
    export DISPLAY=$outer_display VORNIC_NO_MESSAGE_BOX=1
    echo "PASS: the X server gone under the program ($state) ends it with a message"
done
