// The input waits, driven by scripted SDL events that arrive one step per message pump.
#include "ScriptedRuntime.h"
#include "input/InputPolls.h"
#include "vornic.h"

namespace {

class Waits : public ScriptedRuntimeTest {
  protected:
    // The waits pump twice in a row (before a wait round and at its start): each event is
    // given two more pumps of its own, so that the state it leaves can be seen.
    void Slowly(std::vector<EventStep> steps) {
        for (EventStep& step : steps)
            Script({std::move(step), {}, {}});
    }
};
using WaitsDeathTest = Waits;

} // namespace

// Each wait must still be waiting when the step before the one it waits for has come, and
// return on the press: the key or button it returned on is held afterwards.
TEST_F(Waits, WaitForKeyWaitsForAKeyOtherThanTheOneTypedLast) {
    // K, the key typed last, is held for a few rounds, then released and Space pressed.
    PushKey(SDL_SCANCODE_K, true);
    EXPECT_EQ(input::AnyKeyTyped(), 1);
    Slowly(
        {{}, {}, {KeyEvent(SDL_SCANCODE_K, false)}, {}, {KeyEvent(SDL_SCANCODE_SPACE, true)}, {}});
    WaitForKey();
    EXPECT_EQ(KeyDown(57), 1) << "returned before Space";
}

TEST_F(Waits, ModifierKeysDoNotEndWaitForKey) {
    Slowly({{KeyEvent(SDL_SCANCODE_LSHIFT, true)},
            {KeyEvent(SDL_SCANCODE_RCTRL, true)},
            {KeyEvent(SDL_SCANCODE_X, true)},
            {KeyEvent(SDL_SCANCODE_X, false), KeyEvent(SDL_SCANCODE_LSHIFT, false),
             KeyEvent(SDL_SCANCODE_RCTRL, false)}});
    WaitForKey();
    EXPECT_EQ(KeyDown(45), 1) << "returned before X was pressed or after it was released";
}

TEST_F(Waits, WaitForMouseWaitsForAHeldButtonToBeReleasedFirst) {
    Push({ButtonEvent(SDL_BUTTON_LEFT, true)});
    Slowly({{}, {ButtonEvent(SDL_BUTTON_LEFT, false)}, {ButtonEvent(SDL_BUTTON_RIGHT, true)}});
    WaitForMouse();
    EXPECT_EQ(GetMouseAxis(4), 1) << "returned before the right button";
}

TEST_F(WaitsDeathTest, EscapeEndsTheProgramDuringEitherWait) {
    for (void (*wait)() : {WaitForKey, WaitForMouse}) {
        // Escape, then what would end the wait: a wait that returns has missed the Escape.
        Slowly({{},
                {KeyEvent(SDL_SCANCODE_ESCAPE, true)},
                {KeyEvent(SDL_SCANCODE_X, true), ButtonEvent(SDL_BUTTON_LEFT, true)}});
        EXPECT_EXIT(wait(), ::testing::ExitedWithCode(0), "");
    }
}
