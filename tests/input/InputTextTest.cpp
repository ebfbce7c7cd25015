// Line input through scripted SDL key events, one step per frame.
#include "InputTesting.h"
#include "core/CoreCommands.h"
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
