#!/usr/bin/env bash
# A game outside the tree: installs the runtime into a temporary prefix, makes a game with the
# starter script, builds it with CMake (find_package) and with one pkg-config line, and runs
# both from a short scripted replay: each must print "Hello".
# Usage: starter_builds.sh <build folder> <source folder>
build=$(readlink -f "$1")
source=$(readlink -f "$2")
. "$(dirname "$0")/../e2e/xdriver.sh"

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    fail "install: $(tail -n 5 "$work/install.log")"
[ -x "$work/prefix/bin/packtool" ] || fail "packtool was not installed"
"$source/scripts/new-game.sh" "$work/game" "Starter" >/dev/null || fail "the starter made nothing"

cmake -S "$work/game" -B "$work/game/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
    >"$work/cmake.log" 2>&1 || fail "configure: $(tail -n 5 "$work/cmake.log")"
cmake --build "$work/game/build" >"$work/build.log" 2>&1 || fail "build: $(tail -n 5 "$work/build.log")"

flags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --cflags --libs vornic) ||
    fail "pkg-config does not know vornic"
# shellcheck disable=SC2086
c++ "$work/game/main.cpp" -o "$work/game-pkgconfig" $flags 2>"$work/pc.log" ||
    fail "pkg-config build: $(tail -n 5 "$work/pc.log")"

printf 'vornic-replay 1\nframetime 16\nend 3\n' >"$work/run.txt"
for program in "$work/game/build/game" "$work/game-pkgconfig"; do
    rm -f "$work/print.txt"
    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VORNIC_REPLAY="$work/run.txt" \
        VORNIC_PRINT_LOG="$work/print.txt" "$program" >"$work/run.log" 2>&1 ||
        fail "$program ended with $?: $(tail -n 5 "$work/run.log")"
    grep -q ' Hello$' "$work/print.txt" || fail "$program printed no Hello"
done
echo "PASS: installed, the starter built with CMake and with pkg-config, both say Hello"
