#!/usr/bin/env bash
# The chat example between two windows over loopback, under a virtual X server: a host and a
# guest. The guest types a line and sends it with Enter, and the host must show it with the
# guest's name; then the host answers and the guest must show the answer. What each window
# shows is read from its print log (VORNIC_PRINT_LOG); every step waits for it.
# Usage: chat_loopback.sh <path to example_chat>   (run inside xvfb-run)
chat=$(readlink -f "$1")
. "$(dirname "$0")/../e2e/xdriver.sh"
export SDL_AUDIODRIVER=dummy
host="" guest=""
trap 'kill -9 $host $guest 2>/dev/null; rm -rf "$work"' EXIT

# Waits up to 30 seconds for a text in the print log $1 (host or guest).
wait_printed() {
    for _ in $(seq 300); do
        grep -qF -- "$2" "$work/$1.txt" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "the $1 never showed '$2'; it showed: $(cut -d' ' -f4- "$work/$1.txt" 2>/dev/null | sort -u | tr '\n' '|')"
}

# Starts the chat in role $1 and waits for its first line; sets window to its window.
start_chat() {
    VORNIC_PRINT_LOG="$work/$1.txt" "$chat" "$1" >"$work/$1-out.txt" 2>&1 &
    pid=$!
    wait_printed "$1" "$2"
    window=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no window of the $1"
}

# Types line $3 into the window $2 of role $1 key by key, each once the last one shows, and
# sends it with Enter.
say() {
    local typed="" i
    xdotool windowfocus --sync "$2" 2>/dev/null
    for ((i = 0; i < ${#3}; ++i)); do
        xdotool type --delay 0 -- "${3:i:1}"
        typed+=${3:i:1}
        wait_printed "$1" "> ${typed}_"
    done
    xdotool key Return
    wait_printed "$1" "> _"
}

start_chat host "Host, player 101"
host=$pid host_window=$window
start_chat join "Guest, player 102"
guest=$pid guest_window=$window

say join "$guest_window" "hi crabs"
wait_printed host "Guest: hi crabs"
say host "$host_window" "on my way"
wait_printed join "Host: on my way"
kill -TERM "$host" "$guest"
wait "$host" "$guest"
echo "PASS: the guest's line reached the host and the host's answer reached the guest"
