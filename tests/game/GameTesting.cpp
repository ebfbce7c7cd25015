#include "GameTesting.h"

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "core/Runtime.h"

namespace {

// The pixels of the area a text of chars glyphs of the current font covers at (x, y).
std::vector<unsigned char> TextArea(double x, double y, size_t chars) {
    double glyphWidth = 0, glyphHeight = 0;
    GetFontSize(glyphWidth, glyphHeight);
    const int width = static_cast<int>(glyphWidth) * static_cast<int>(chars);
    const int height = static_cast<int>(glyphHeight);
    GetPixel(x, y); // draws what is still batched
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(static_cast<int>(x), Rt().settings.screenHeight - static_cast<int>(y) - height,
                 width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
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
    HeroX = 0;
    HeroZ = 0;
    MouseX = 400;
    MouseY = 300;
    MouseButton1 = 0;
    MouseButton2 = 0;
    FrameFactor = 1;
    StepFactor = 20;
    // State that the game keeps across levels or games starts afresh for every test.
    StampAngle = 0;
    StampPhase = 0;
    StampHeight = 0;
    VirusClock = 0;
    GroundBlinkClock = 0;
    GroundBlinkPhase = 0;
    FullScreen = 0;
    SpaceArmed = 0;
    ResultApplied = 0;
    CrabTotal = 0;
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

void GameTest::PushKey(SDL_Scancode key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    SDL_PushEvent(&event);
}

bool GameTest::ShowsText(const char* text, double font, double x, double y) {
    SetFont(font);
    const std::vector<unsigned char> shown = TextArea(x, y, std::strlen(text));
    PresentFrame();
    SetFont(font);
    PrintText(text, x, y);
    const std::vector<unsigned char> expected = TextArea(x, y, std::strlen(text));
    PresentFrame();
    return shown == expected;
}
