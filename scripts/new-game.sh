#!/usr/bin/env bash
# Starts a game of your own: makes a folder with a CMake file and a GameMain that opens the
# window and prints "Hello", built against an installed Vornic.
# Usage: scripts/new-game.sh <folder> [game title]
#   then: cmake -S <folder> -B <folder>/build -DCMAKE_PREFIX_PATH=<where Vornic is installed>
#         cmake --build <folder>/build && <folder>/build/game
set -euo pipefail
folder=${1:?usage: new-game.sh <folder> [game title]}
title=${2:-My Game}
if [ -e "$folder/CMakeLists.txt" ] || [ -e "$folder/main.cpp" ]; then
    echo "new-game: $folder already holds a game; nothing written" >&2
    exit 1
fi
mkdir -p "$folder"

cat >"$folder/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(MyGame LANGUAGES CXX)
find_package(Vornic REQUIRED)
add_executable(game main.cpp)
target_link_libraries(game PRIVATE Vornic::vornic_main)
CMAKE

cat >"$folder/main.cpp" <<CPP
// A game of your own: GameMain runs once the window is open; every frame ends with
// PresentFrame. Escape (or closing the window) ends the program.
#include <vornic.h>

const char kGameTitle[] = "${title//\"/\\\"}";

void GameMain() {
    for (;;) {
        PrintText("Hello", 360, 290);
        PresentFrame();
    }
}
CPP
echo "new-game: made $folder (CMakeLists.txt, main.cpp)"
