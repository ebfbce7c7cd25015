// Keys through real SDL key events, and the keyboard that cannot be read. Typed characters
// through real SDL key and text events: the scan order, keypad Enter, the right Shift and the
// platform's text. The line typed on a real X server (e2e/input_probe.sh) checks Enter,
// Backspace, the left Shift, the space and that a held key types once until released.
#include <algorithm>
#include <map>
#include <vector>

#include "core/ErrorLog.h"
#include "input/InputDevices.h"
#include "os/headless/HeadlessInput.h"
#include "os/sdl/SdlKeys.h"
#include "support/SdlEvents.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

using Keyboard = GlRuntimeTest;

// One step of a script: press (+) or release (-) a key, deliver the platform's text (t), or
// read GetTypedKey (=) and expect its result.
struct Step {
    char op;
    SDL_Scancode key;
    const char* text;
};

const auto Down = [](SDL_Scancode key) { return Step{'+', key, nullptr}; };
const auto Up = [](SDL_Scancode key) { return Step{'-', key, nullptr}; };
const auto Text = [](const char* text) { return Step{'t', SDL_SCANCODE_UNKNOWN, text}; };
const auto Typed = [](const char* text) { return Step{'=', SDL_SCANCODE_UNKNOWN, text}; };

} // namespace

TEST(KeyCodes, NoTwoKeysShareACode) {
    // The ANSI backslash key sits where the ISO hash key is; both are code 43. Any other two
    // keys sharing a code would make one of them unreadable.
    std::map<int, SDL_Scancode> owner;
    for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
        const auto scancode = static_cast<SDL_Scancode>(s);
        const int code = os::SdlScancodeToKeyCode(scancode);
        ASSERT_TRUE(code >= 0 && code < 256);
        const auto [it, fresh] = owner.emplace(code, scancode);
        EXPECT_TRUE(code == 0 || fresh || (code == 43 && scancode == SDL_SCANCODE_NONUSHASH))
            << SDL_GetScancodeName(scancode) << " shares code " << code << " with "
            << SDL_GetScancodeName(it->second);
    }
}

TEST_F(Keyboard, AHeldKeyReadsAsItsCodeTruncatedAndTakenModulo256Only) {
    PushKey(SDL_SCANCODE_SPACE, true);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(KeyDown(code), code == 57) << code;
    for (const auto& [code, down] :
         {std::pair{57.9, 1.0}, {256.0 + 57, 1}, {57.0 - 256, 1}, {-1, 0}, {56.9, 0}})
        EXPECT_EQ(KeyDown(code), down) << code;
    // A release after a read lets the key go at once; taps read by nobody are the mouse
    // tests' part (keys and buttons keep them by one rule).
    PushKey(SDL_SCANCODE_SPACE, false);
    EXPECT_EQ(KeyDown(57), 0);
}

namespace {

// A platform whose keyboard cannot be read, whose joystick part cannot start and whose mouse
// cannot be captured.
class NoKeyboardPlatform : public os::HeadlessInput {
  public:
    NoKeyboardPlatform() : HeadlessInput(noEvents_) {}
    bool Start(int) override { return false; }
    bool HasKeyboard() override { return false; }
    bool SetMouseCaptured(bool) override { return false; }

  private:
    std::deque<os::Event> noEvents_;
};

} // namespace

TEST(KeyboardFallback, KeysReadThroughTheirVirtualKeysAndFailuresAreLogged) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    InputDevices input(std::make_unique<NoKeyboardPlatform>());
    EXPECT_EQ(input.Initialise(true), 0);
    EXPECT_EQ(ReadWholeFile(LogFilePath()), "No DX_Input\r\nNo DX_KB\r\nNo DX_Mouse\r\n");

    // Held key -> every key code that reads as down: both Shift keys are one virtual key;
    // code 84 has none.
    const std::pair<int, std::vector<int>> rows[] = {{54, {42, 54}}, {200, {200}}, {84, {}}};
    for (const auto& [held, codes] : rows) {
        input.keys.Press(held);
        for (int code = 0; code < 256; ++code) {
            const bool reads = std::find(codes.begin(), codes.end(), code) != codes.end();
            EXPECT_EQ(input.KeyIsDown(code), reads) << "held " << held << ", code " << code;
        }
        input.keys.MarkRead();
        input.keys.Release(held);
    }
}

TEST_F(Keyboard, TypedKeyScripts) {
    const SDL_Scancode shift = SDL_SCANCODE_LSHIFT, one = SDL_SCANCODE_1;
    const std::vector<std::pair<const char*, std::vector<Step>>> scripts = {
        {"the right Shift makes letters upper case; Shift alone types nothing",
         {Down(SDL_SCANCODE_RSHIFT), Typed(""), Down(SDL_SCANCODE_Z), Typed("Z"),
          Up(SDL_SCANCODE_Z), Up(SDL_SCANCODE_RSHIFT)}},
        {"keypad Enter has Enter's control code",
         {Down(SDL_SCANCODE_KP_ENTER), Typed("\n"), Up(SDL_SCANCODE_KP_ENTER)}},
        {"keys without a character are skipped in the scan",
         {Down(SDL_SCANCODE_ESCAPE), Down(SDL_SCANCODE_TAB), Down(SDL_SCANCODE_LCTRL),
          Down(SDL_SCANCODE_UP), Down(SDL_SCANCODE_DELETE), Typed(""), Down(SDL_SCANCODE_M),
          Typed("m")}},
        {"the lowest held code wins",
         {Down(SDL_SCANCODE_S), Down(one), Typed("1"), Up(one), Typed("s"), Up(SDL_SCANCODE_S),
          Down(SDL_SCANCODE_KP_7), Typed("7")}},
        {"the platform's text gives the layout's character",
         {Down(shift), Down(one), Text("!"), Typed("!"), Up(one), Up(shift), Typed(""), Down(one),
          Typed("1"), Up(one), Typed(""), Down(SDL_SCANCODE_APOSTROPHE), Text("\xC3\xA4"),
          Typed("\xE4")}},
    };
    for (const auto& [name, steps] : scripts) {
        for (const Step& step : steps) {
            switch (step.op) {
            case '+':
            case '-': PushKey(step.key, step.op == '+'); break;
            case 't': Push({TextEvent(step.text)}); break;
            default: EXPECT_STREQ(GetTypedKey().CText(), step.text) << name;
            }
        }
        for (int s = 0; s < SDL_NUM_SCANCODES; ++s)
            PushKey(static_cast<SDL_Scancode>(s), false);
        GetTypedKey();
    }
}
