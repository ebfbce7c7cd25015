# Shared steps of the end-to-end runs of a real program, most of them under a virtual X server
# and driven by xdotool. Source it from a test script; it works in a fresh temporary folder.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export VORNIC_NO_MESSAGE_BOX=1 TMPDIR="$work"
pid=""
window=""

fail() {
    echo "FAIL: $*"
    if [ -f "$work/out.txt" ]; then
        echo "--- program output:"
        tail -n 20 "$work/out.txt"
    fi
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    exit 1
}

# Starts a program in the background, its output going to $work/out.txt.
start_program() {
    "$@" >"$work/out.txt" 2>&1 &
    pid=$!
}

# How many lines the program has printed so far.
printed_lines() {
    wc -l <"$work/out.txt"
}

# Waits up to 30 seconds for a line of the program's output matching a pattern, among the lines
# after the first $2 (all lines when not given). A slow frame only makes the wait longer.
wait_for_output() {
    local from=${2:-0}
    for _ in $(seq 300); do
        tail -n +"$((from + 1))" "$work/out.txt" | grep -q "$1" && return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 30 seconds for the window whose title starts with $1 (start-up loads every asset,
# which takes a while under the sanitizers, and a loaded machine slows every xdotool call).
wait_for_window() {
    local deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        window=$(xdotool search --name "^$1" 2>"$work/xdotool.err" | head -n 1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    fail "no window titled $1 (xdotool said: $(tail -n 3 "$work/xdotool.err" | tr '\n' ' '))"
}

# Without a window manager nothing gives the window the focus: give it, and wait until the
# program is no longer paused (its title loses " <pause>"). Keys are not read while paused.
focus_window() {
    for _ in $(seq 100); do
        xdotool windowfocus "$window" 2>/dev/null
        [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "title stays '$(xdotool getwindowname "$window" 2>/dev/null)' with the focus given"
}

# Waits up to ten seconds for the program to end; its exit status.
wait_for_end() {
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "$1: still running 10 s later"
    wait "$pid"
}

# Taps Escape once (down and up at once, shorter than a slow frame) and expects the program to
# end within ten seconds with exit status $1.
escape_until_exit() {
    xdotool key Escape 2>/dev/null
    wait_for_end "a tap of Escape"
    local status=$?
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}
