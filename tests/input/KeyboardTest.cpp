// Keys through real SDL key events, and the keyboard that cannot be read.
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
    for (double code : {57.9, 256.0 + 57, 57.0 - 256})
        EXPECT_EQ(KeyDown(code), 1) << code;
    for (double code : {-1.0, 56.9})
        EXPECT_EQ(KeyDown(code), 0) << code;
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
