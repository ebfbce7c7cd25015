#include "GameTesting.h"

#include <cstring>
#include <vector>

namespace {

// The pixels of the area a text of chars glyphs of the current font covers at (x, y).
std::vector<unsigned> TextArea(double x, double y, size_t chars) {
    double width = 0, height = 0;
    GetFontSize(width, height);
    GetPixel(x, y); // draws what is still batched
    std::vector<unsigned> pixels;
    for (int py = y; py < y + height; ++py)
        for (int px = x; px < x + width * chars; ++px)
            pixels.push_back(ReadPixel(px, py));
    return pixels;
}

} // namespace

void GameTest::SetUp() {
    GlRuntimeTest::SetUp();
    // A missing font file gives the built-in font.
    LoadFont("no-such-font.bmp", 0);
    LoadFont("no-such-font.bmp", 1);
    SetStartValues();
    LastCrab = 3;
    StartLevel();
    MouseX = 400, MouseY = 300, FrameFactor = 1, StepFactor = 20;
    HeroX = HeroZ = MouseButton1 = MouseButton2 = 0;
    // State that the game keeps across levels or games starts afresh for every test.
    StampAngle = StampPhase = StampHeight = VirusClock = GroundBlinkClock = GroundBlinkPhase = 0;
    FullScreen = SpaceArmed = ResultApplied = CrabTotal = 0;
    for (double i = 0; i <= LastCrab; i++)
        PlaceCrab(i, 900, -4000 + i * 1000);
}

void GameTest::PlaceCrab(double i, double x, double z) {
    CrabPosition(i, kCrabX) = x;
    CrabPosition(i, kCrabZ) = z;
    CrabVelocity(i, kCrabX) = 0;
    CrabVelocity(i, kCrabZ) = 0;
    CrabStatus(i, kCrabState) = kHealthy;
    CrabStatus(i, kWanderClock) = 0;
    CrabStatus(i, kWanderDuration) = 1000;
    UpdateCrabCell(i);
}

bool GameTest::ShowsText(const char* text, double font, double x, double y) {
    SetFont(font);
    const std::vector<unsigned> shown = TextArea(x, y, std::strlen(text));
    PresentFrame();
    SetFont(font);
    PrintText(text, x, y);
    const std::vector<unsigned> expected = TextArea(x, y, std::strlen(text));
    PresentFrame();
    return shown == expected;
}
