// Typed characters through real SDL key and text events: the scan order, the special codes,
// Shift, the platform's text and the repeat suppression.
#include "InputTesting.h"
#include "input/InputCommands.h"
#include "input/InputPolls.h"

namespace {

using TypedKey = GlRuntimeTest;

std::string Typed() {
    return GetTypedKey().CText();
}

} // namespace

TEST_F(TypedKey, AHeldKeyTypesOnceUntilItIsReleased) {
    PushKey(SDL_SCANCODE_A, true);
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_A, true, true);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_A, false);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_A, true);
    EXPECT_EQ(Typed(), "a");
    PushKey(SDL_SCANCODE_A, false);
}

TEST_F(TypedKey, ShiftMakesLettersUpperCase) {
    PushKey(SDL_SCANCODE_LSHIFT, true);
    EXPECT_EQ(Typed(), "") << "Shift alone types nothing";
    PushKey(SDL_SCANCODE_A, true);
    EXPECT_EQ(Typed(), "A");
    PushKey(SDL_SCANCODE_A, false);
    PushKey(SDL_SCANCODE_LSHIFT, false);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_RSHIFT, true);
    PushKey(SDL_SCANCODE_Z, true);
    EXPECT_EQ(Typed(), "Z");
}

TEST_F(TypedKey, EnterAndBackspaceHaveTheirControlCodes) {
    PushKey(SDL_SCANCODE_RETURN, true);
    EXPECT_EQ(Typed(), "\n");
    PushKey(SDL_SCANCODE_RETURN, false);
    PushKey(SDL_SCANCODE_KP_ENTER, true);
    // Keypad Enter types the same 10, so it counts as the held key typing again.
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_KP_ENTER, false);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_KP_ENTER, true);
    EXPECT_EQ(Typed(), "\n");
    PushKey(SDL_SCANCODE_KP_ENTER, false);
    PushKey(SDL_SCANCODE_BACKSPACE, true);
    EXPECT_EQ(Typed(), "\b");
}

TEST_F(TypedKey, KeysWithoutACharacterAreSkippedInTheScan) {
    // Escape, Tab and the arrows type nothing; the scan goes on to the next held key.
    PushKey(SDL_SCANCODE_ESCAPE, true);
    PushKey(SDL_SCANCODE_TAB, true);
    PushKey(SDL_SCANCODE_LCTRL, true);
    PushKey(SDL_SCANCODE_UP, true);
    PushKey(SDL_SCANCODE_DELETE, true);
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(AnyKeyTyped(), 0);
    PushKey(SDL_SCANCODE_M, true);
    EXPECT_EQ(Typed(), "m");
}

TEST_F(TypedKey, TheLowestHeldCodeWins) {
    PushKey(SDL_SCANCODE_S, true); // code 31
    PushKey(SDL_SCANCODE_1, true); // code 2
    EXPECT_EQ(Typed(), "1");
    PushKey(SDL_SCANCODE_1, false);
    EXPECT_EQ(Typed(), "s");
    PushKey(SDL_SCANCODE_S, false);
    PushKey(SDL_SCANCODE_SPACE, true);
    EXPECT_EQ(Typed(), " ");
    PushKey(SDL_SCANCODE_SPACE, false);
    PushKey(SDL_SCANCODE_KP_7, true);
    EXPECT_EQ(Typed(), "7");
}

TEST_F(TypedKey, ThePlatformsTextGivesTheLayoutsCharacter) {
    // Shift+1 types what the layout says, here "!"; a key without text types its plain
    // character.
    PushKey(SDL_SCANCODE_LSHIFT, true);
    PushKey(SDL_SCANCODE_1, true);
    PushText("!");
    EXPECT_EQ(Typed(), "!");
    PushKey(SDL_SCANCODE_1, false);
    PushKey(SDL_SCANCODE_LSHIFT, false);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_1, true);
    EXPECT_EQ(Typed(), "1") << "a fresh press forgets the text of the last one";
    PushKey(SDL_SCANCODE_1, false);
    EXPECT_EQ(Typed(), "");
    // A Latin-1 character arrives as one byte.
    PushKey(SDL_SCANCODE_APOSTROPHE, true);
    PushText("\xC3\xA4");
    EXPECT_EQ(Typed(), "\xE4");
}

TEST_F(TypedKey, AnyKeyTypedFollowsTheSameRepeatRule) {
    PushKey(SDL_SCANCODE_B, true);
    EXPECT_EQ(AnyKeyTyped(), 1);
    EXPECT_EQ(AnyKeyTyped(), 0);
    EXPECT_EQ(Typed(), "");
    PushKey(SDL_SCANCODE_B, false);
    EXPECT_EQ(AnyKeyTyped(), 0);
    PushKey(SDL_SCANCODE_B, true);
    EXPECT_EQ(Typed(), "b");
}
