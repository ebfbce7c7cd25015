// Line input through scripted SDL key events, one step per frame.
#include <GL/gl.h>

#include "ScriptedRuntime.h"
#include "vornic.h"

namespace {

using LineInput = ScriptedRuntimeTest;

EventStep Tap(SDL_Scancode key) {
    return {KeyEvent(key, true), KeyEvent(key, false)};
}

} // namespace

// Every key goes down and up again within one frame (slow frames), Backspace on an empty line
// changes nothing, Shift types capitals; the input returns on the frame that sees Enter. What
// was drawn before the input (white) stays under the line in every frame, although each frame
// starts cleared.
TEST_F(LineInput, TypesBackspacesAndEndsOnEnterOverTheFrozenScreen) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    std::vector<unsigned> samples;
    beforeEachSwap = [&samples] { samples.push_back(ReadPixel(400, 300)); };
    Script({Tap(SDL_SCANCODE_BACKSPACE),
            Tap(SDL_SCANCODE_A),
            Tap(SDL_SCANCODE_BACKSPACE),
            {KeyEvent(SDL_SCANCODE_LSHIFT, true), KeyEvent(SDL_SCANCODE_Q, true)},
            {KeyEvent(SDL_SCANCODE_Q, false), KeyEvent(SDL_SCANCODE_LSHIFT, false)},
            Tap(SDL_SCANCODE_SPACE),
            Tap(SDL_SCANCODE_B),
            Tap(SDL_SCANCODE_KP_ENTER),
            {}});
    EXPECT_STREQ(InputText("T", 100, 100).CText(), "Q b");
    EXPECT_EQ(steps_.size(), 1u) << "steps taken after Enter";
    ASSERT_GE(samples.size(), 8u);
    for (unsigned pixel : samples)
        EXPECT_EQ(pixel, 0xFFFFFFu);
    samples.clear();
    PresentFrame();
    ASSERT_EQ(samples.size(), 1u);
    EXPECT_EQ(samples[0], 0u) << "the frozen screen is gone after the input";
}
