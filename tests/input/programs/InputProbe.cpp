// A small program for the end-to-end input run: it reads a line with InputText and prints it,
// then reports the first left click of the free pointer and runs until Escape ends it.
#include <cstdio>

#include "vornic.h"

const char kGameTitle[] = "InputProbe";

void GameMain() {
    const RtString line = InputText("", 10, 10);
    std::printf("LINE:%s\n", line.CText());
    std::fflush(stdout);

    SetMouseFree(1);
    bool clicked = false;
    for (;;) {
        double x, y, left, right;
        GetMouseState(x, y, left, right);
        if (left != 0 && !clicked) {
            clicked = true;
            std::printf("CLICK %d %d\n", static_cast<int>(x), static_cast<int>(y));
            std::fflush(stdout);
        }
        PresentFrame();
    }
}
