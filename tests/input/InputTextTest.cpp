// Line input through scripted SDL key events, one step per frame.
#include <GL/gl.h>

#include "InputTesting.h"
#include "app/AppCommands.h"
#include "input/InputCommands.h"

namespace {

using LineInput = ScriptedRuntimeTest;

EventStep Press(SDL_Scancode key) {
    return {KeyEvent(key, true)};
}

EventStep Release(SDL_Scancode key) {
    return {KeyEvent(key, false)};
}

} // namespace

TEST_F(LineInput, TypesBackspacesAndEndsOnEnter) {
    Script({Press(SDL_SCANCODE_A), Release(SDL_SCANCODE_A), Press(SDL_SCANCODE_BACKSPACE),
            Release(SDL_SCANCODE_BACKSPACE), Press(SDL_SCANCODE_B), Release(SDL_SCANCODE_B),
            Press(SDL_SCANCODE_RETURN), Release(SDL_SCANCODE_RETURN)});
    EXPECT_STREQ(InputText("T", 10, 20).CText(), "Tb");
    EXPECT_EQ(StepsLeft(), 1u) << "returns on the frame that sees Enter";
}

TEST_F(LineInput, BackspaceOnAnEmptyLineChangesNothing) {
    Script({Press(SDL_SCANCODE_BACKSPACE),
            Release(SDL_SCANCODE_BACKSPACE),
            {KeyEvent(SDL_SCANCODE_LSHIFT, true), KeyEvent(SDL_SCANCODE_Q, true)},
            {KeyEvent(SDL_SCANCODE_Q, false), KeyEvent(SDL_SCANCODE_LSHIFT, false)},
            Press(SDL_SCANCODE_KP_ENTER)});
    EXPECT_STREQ(InputText("", 0, 0).CText(), "Q");
}

TEST_F(LineInput, KeysTappedWithinOneFrameAreTyped) {
    // Slow frames: every key goes down and up again between two reads of the keyboard.
    Script({{KeyEvent(SDL_SCANCODE_H, true), KeyEvent(SDL_SCANCODE_H, false)},
            {KeyEvent(SDL_SCANCODE_SPACE, true), KeyEvent(SDL_SCANCODE_SPACE, false)},
            {KeyEvent(SDL_SCANCODE_I, true), KeyEvent(SDL_SCANCODE_I, false)},
            Press(SDL_SCANCODE_RETURN)});
    EXPECT_STREQ(InputText("", 0, 0).CText(), "h i");
}

TEST_F(LineInput, TheLineIsEditedOverTheFrozenScreen) {
    // What was drawn before the input (white) stays under the line in every frame, although
    // each frame starts cleared.
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    std::vector<unsigned> samples;
    BeforeEachSwap([&samples] { samples.push_back(ReadPixel(400, 300)); });
    Script({Press(SDL_SCANCODE_W), Release(SDL_SCANCODE_W), {}, {}, Press(SDL_SCANCODE_RETURN)});
    EXPECT_STREQ(InputText("", 100, 100).CText(), "w");
    ASSERT_GE(samples.size(), 5u);
    for (unsigned pixel : samples)
        EXPECT_EQ(pixel, 0xFFFFFFu);
    samples.clear();
    PresentFrame();
    ASSERT_EQ(samples.size(), 1u);
    EXPECT_EQ(samples[0], 0u) << "the frozen screen is gone after the input";
}
