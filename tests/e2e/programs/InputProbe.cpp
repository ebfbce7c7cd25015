// A small program for the end-to-end input run. It reads a line key by key and echoes every
// step it took ("KEY <character>", "UP" once every key is released again), so that the driver
// types the next key only after the last one was seen, however slow the frames are. Then it
// prints the line, reports where the free pointer is and its first left click, and runs until
// Escape ends it.
#include <cstdio>
#include <string>

#include "vornic.h"

const char kGameTitle[] = "InputProbe";

namespace {

bool AnyKeyDown() {
    for (int code = 0; code < 256; ++code)
        if (KeyDown(code) != 0) return true;
    return false;
}

void ReadLine() {
    std::string line;
    bool waitingForRelease = false;
    for (;;) {
        const RtString typed = GetTypedKey();
        if (typed.Length() > 0) {
            const char character = typed.CText()[0];
            if (character == '\n') break;
            if (character == '\b') {
                if (!line.empty()) line.pop_back();
            } else {
                line += character;
            }
            std::printf("KEY %d\n", character);
            waitingForRelease = true;
        } else if (waitingForRelease && !AnyKeyDown()) {
            std::printf("UP\n");
            waitingForRelease = false;
        }
        std::fflush(stdout);
        PresentFrame();
    }
    std::printf("LINE:%s\n", line.c_str());
}

} // namespace

void GameMain() {
    ReadLine();
    SetMouseFree(1);
    double lastX = -1, lastY = -1;
    bool clicked = false;
    for (;;) {
        double x, y, left, right;
        GetMouseState(x, y, left, right);
        if (x != lastX || y != lastY) std::printf("POINTER %d %d\n", int(x), int(y));
        lastX = x;
        lastY = y;
        if (left != 0 && !clicked) {
            clicked = true;
            std::printf("CLICK %d %d\n", int(x), int(y));
        }
        std::fflush(stdout);
        PresentFrame();
    }
}
