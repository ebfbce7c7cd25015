// Record and replay. Paint with the left button; every stroke takes a random colour, and a
// star appears at a random place each half second of the timer. Nothing here knows about
// recording: run the program with VORNIC_RECORD=run.txt and paint, then run it again with
// VORNIC_REPLAY=run.txt and the same picture appears stroke by stroke, random colours, stars and
// clock included (docs/record-replay.md). The CTest run replays a recording made so.
#include "vornic.h"

const char kGameTitle[] = "Record and replay";

void GameMain() {
    double frames = 0, wasDown = 0, colour = 0, lastX = 0, lastY = 0, nextStar = 500;
    SetMouseFree(1); // paint with the system's own pointer
    DrawRect(0, 0, 800, 600, 0x402818);
    UseScreenAsBackground(); // the painting stays from frame to frame, under the text
    for (;;) {
        frames += 1;
        double x, y, left, right;
        GetMouseState(x, y, left, right);
        if (left == 1 && wasDown == 0) { // a new stroke
            colour = Random(255) + Random(255) * 256 + Random(255) * 65536;
            lastX = x, lastY = y;
        }
        for (double t = 0; left == 1 && t <= 1; t += 0.05) // a thick line of small squares
            DrawRect(lastX + (x - lastX) * t - 4, lastY + (y - lastY) * t - 4, 9, 9, colour);
        const bool painted = left == 1 || GetTimerMs() >= nextStar;
        wasDown = left, lastX = x, lastY = y;
        if (GetTimerMs() >= nextStar) {
            const double starX = Random(780) + 10, starY = Random(540) + 50;
            DrawLine(starX - 6, starY, starX + 6, starY, 0xFFFFFF);
            DrawLine(starX, starY - 6, starX, starY + 6, 0xFFFFFF);
            nextStar += 500;
        }
        if (painted) UseScreenAsBackground();
        DrawRect(0, 0, 800, 44, 0);
        PrintText("frame " + NumberToText(frames) + ", timer " + FormatNumber(0, 0, GetTimerMs()) +
                      " ms",
                  8, 6);
        PrintText("VORNIC_RECORD=run.txt records, VORNIC_REPLAY=run.txt replays", 8, 26);
        PresentFrame();
    }
}
