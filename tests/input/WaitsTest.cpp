// The input waits, driven by scripted SDL events that arrive one step per message pump.
#include "InputTesting.h"
#include "app/AppCommands.h"
#include "input/InputCommands.h"
#include "input/InputPolls.h"

namespace {

class Waits : public ScriptedRuntimeTest {
  protected:
    Waits() : ScriptedRuntimeTest(StepOn::Pump) {}
};
using WaitsDeathTest = Waits;

// The waits pump twice in a row (before a wait round and at its start): each event is given
// two more pumps of its own, so that the state it leaves can be seen.
std::vector<EventStep> Slowly(std::vector<EventStep> steps) {
    std::vector<EventStep> slow;
    for (EventStep& step : steps) {
        slow.push_back(std::move(step));
        slow.push_back({});
        slow.push_back({});
    }
    return slow;
}

} // namespace

TEST_F(Waits, WaitForKeyReturnsOnANewKey) {
    Script(Slowly({{}, {}, {KeyEvent(SDL_SCANCODE_K, true)}, {KeyEvent(SDL_SCANCODE_K, false)}}));
    WaitForKey();
    EXPECT_EQ(KeyDown(37), 1);
}

TEST_F(Waits, WaitForKeyWaitsForAKeyOtherThanTheOneTypedLast) {
    PushKey(SDL_SCANCODE_K, true);
    EXPECT_EQ(input::AnyKeyTyped(), 1);
    // K stays held for a few rounds, then is released and Space is pressed.
    Script(Slowly(
        {{}, {}, {KeyEvent(SDL_SCANCODE_K, false)}, {}, {KeyEvent(SDL_SCANCODE_SPACE, true)}, {}}));
    WaitForKey();
    EXPECT_EQ(KeyDown(57), 1) << "returned before Space";
}

TEST_F(Waits, ModifierKeysDoNotEndWaitForKey) {
    Script(Slowly({{KeyEvent(SDL_SCANCODE_LSHIFT, true)},
                   {KeyEvent(SDL_SCANCODE_LCTRL, true)},
                   {KeyEvent(SDL_SCANCODE_X, true)},
                   {}}));
    WaitForKey();
    EXPECT_EQ(KeyDown(45), 1) << "returned before X was pressed";
}

TEST_F(Waits, WaitForMouseWaitsForAHeldButtonToBeReleasedFirst) {
    PushButton(SDL_BUTTON_LEFT, true);
    Script(Slowly({{},
                   {},
                   {ButtonEvent(SDL_BUTTON_LEFT, false)},
                   {},
                   {},
                   {ButtonEvent(SDL_BUTTON_RIGHT, true)},
                   {}}));
    WaitForMouse();
    EXPECT_EQ(GetMouseAxis(4), 1) << "returned before the right button";
}

TEST_F(Waits, WaitForMouseReturnsAtOnceWhenPressedAgainStraightAway) {
    Script(Slowly({{ButtonEvent(SDL_BUTTON_MIDDLE, true)}, {}}));
    WaitForMouse();
    EXPECT_EQ(GetMouseAxis(5), 1);
}

TEST_F(WaitsDeathTest, EscapeEndsTheProgramDuringEitherWait) {
    for (void (*wait)() : {WaitForKey, WaitForMouse}) {
        Script(Slowly({{}, {KeyEvent(SDL_SCANCODE_ESCAPE, true)}}));
        EXPECT_EXIT(wait(), ::testing::ExitedWithCode(0), "");
    }
}
