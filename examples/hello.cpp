// Text and the frame loop. A Vornic program is one GameMain: draw a frame, show it with
// PresentFrame, repeat. Movement is measured in milliseconds (GetFrameTime), so the text
// crosses the screen at the same speed at 30 or 300 frames a second. Escape ends the program.
#include "vornic.h"

const char kGameTitle[] = "Hello";

void GameMain() {
    LimitFrameRate(60);
    double x = 300, y = 200, speedX = 0.25, speedY = 0.15; // pixels per millisecond
    double frames = 0, milliseconds = 0;
    double fontWidth, fontHeight;
    LoadFont("bmp/font2.bmp", 1);
    GetFontSize(fontWidth, fontHeight);
    const RtString greeting = "Hello, Vornic!";
    const double width = Len(greeting) * fontWidth;
    for (;;) {
        const double step = GetFrameTime();
        frames += 1;
        milliseconds += step;

        // Bounce off the edges of the 800 x 600 screen.
        x += speedX * step;
        y += speedY * step;
        if (x < 0 || x + width > 800) speedX = -speedX;
        if (y < 40 || y + fontHeight > 600) speedY = -speedY;

        DrawRect(0, 0, 800, 32, 0x402010); // R + G * 256 + B * 65536: dark blue
        SetFont(0);
        PrintText("frame " + NumberToText(frames), 10, 10);
        PrintText("time " + FormatNumber(0, 2, milliseconds / 1000) + " s", 250, 10);
        PrintText("frame time " + FormatNumber(0, 1, step) + " ms", 500, 10);

        SetFont(1);
        PrintText(greeting, x, y);
        PresentFrame();
    }
}
