// A small program for record-and-replay tests: every frame it draws from Random, reads the
// mouse, the space key and the clock, prints what it saw and draws a picture of it.
// It runs until the player quits (or a replay ends); a number on the command line limits the
// frames.
#include <cstdio>
#include <cstdlib>

#include "vornic.h"

const char kGameTitle[] = "Replay probe";

void GameMain() {
    const long limit = std::atol(CommandLine().CText());
    for (long frame = 1; limit <= 0 || frame <= limit; ++frame) {
        double x = 0, y = 0, left = 0, right = 0;
        GetMouseState(x, y, left, right);
        const double roll = Random(1000);
        const double space = KeyDown(57);
        std::printf("frame %ld: random %g mouse %g %g buttons %g %g space %g time %.3f "
                    "step %.3f\n",
                    frame, roll, x, y, left, right, space, GetTimerMs(), GetFrameTime());
        // A driver of a live run waits for these lines.
        std::fflush(stdout);
        DrawRect(x, y, 40, 30, roll * 16000 + 255);
        DrawRect(10 + roll / 2, 500, 8, 8 + space * 50, 0xFFFFFF);
        PrintText(RtString("R ") + roll, 600, 20);
        PresentFrame();
    }
    std::fflush(stdout);
}
