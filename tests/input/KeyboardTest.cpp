// Keys through real SDL key events: the key-code table of a 105-key keyboard, KeyDown's code
// arithmetic, and the translation table used when no keyboard can be read.
#include <map>
#include <set>

#include "InputTesting.h"
#include "app/AppCommands.h"
#include "core/ErrorLog.h"
#include "core/Runtime.h"
#include "input/InputCommands.h"
#include "input/InputDevices.h"
#include "os/sdl/SdlKeys.h"
#include "support/TempDir.h"

namespace {

struct KeyOfKeyboard {
    SDL_Scancode scancode;
    int code;
};

// Every key of a 105-key (ISO) PC keyboard with its DirectInput scan code.
const KeyOfKeyboard kKeyboard[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_NONUSHASH, 43},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
};

int KeysDown() {
    int held = 0;
    for (int code = 0; code < 256; ++code)
        held += KeyDown(code) != 0;
    return held;
}

using Keyboard = GlRuntimeTest;

} // namespace

TEST(KeyCodeTable, CoversAFullPcKeyboardWithDistinctCodes) {
    ASSERT_EQ(sizeof(kKeyboard) / sizeof(kKeyboard[0]), 105u);
    std::set<int> codes;
    for (const KeyOfKeyboard& key : kKeyboard) {
        EXPECT_EQ(os::SdlScancodeToKeyCode(key.scancode), key.code)
            << SDL_GetScancodeName(key.scancode);
        codes.insert(key.code);
    }
    EXPECT_EQ(codes.size(), 105u);
}

TEST(KeyCodeTable, EveryScancodeSdlReportsGivesOneKeyOrNone) {
    // The ANSI backslash key sits where the ISO hash key is; both are code 43. Any other two
    // keys sharing a code would make one of them unreadable.
    std::map<int, SDL_Scancode> owner;
    for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
        const auto scancode = static_cast<SDL_Scancode>(s);
        const int code = os::SdlScancodeToKeyCode(scancode);
        ASSERT_GE(code, 0);
        ASSERT_LT(code, 256);
        if (code == 0) continue;
        EXPECT_NE(code, 129) << "no key owns code 129";
        const auto [it, fresh] = owner.emplace(code, scancode);
        if (!fresh) {
            EXPECT_TRUE(code == 43 && scancode == SDL_SCANCODE_NONUSHASH)
                << SDL_GetScancodeName(scancode) << " shares code " << code << " with "
                << SDL_GetScancodeName(it->second);
        }
    }
}

TEST_F(Keyboard, EachKeyOfThePcKeyboardReadsAsItsOwnCode) {
    for (const KeyOfKeyboard& key : kKeyboard) {
        PushKey(key.scancode, true);
        EXPECT_EQ(KeyDown(key.code), 1) << SDL_GetScancodeName(key.scancode);
        EXPECT_EQ(KeysDown(), 1) << SDL_GetScancodeName(key.scancode);
        PushKey(key.scancode, false);
        EXPECT_EQ(KeyDown(key.code), 0) << SDL_GetScancodeName(key.scancode);
    }
}

TEST_F(Keyboard, CodesAreTruncatedAndTakenModulo256) {
    PushKey(SDL_SCANCODE_SPACE, true);
    EXPECT_EQ(KeyDown(256 + 57), 1);
    EXPECT_EQ(KeyDown(57.9), 1);
    EXPECT_EQ(KeyDown(57 - 256), 1);
    // -1 is key 255, which no key has.
    EXPECT_EQ(KeyDown(-1), 0);
    EXPECT_EQ(KeyDown(58), 0);
    PushKey(SDL_SCANCODE_SPACE, false);
    EXPECT_EQ(KeyDown(256 + 57), 0);
}

TEST_F(Keyboard, RepeatedPressesKeepTheKeyDownUntilReleased) {
    PushKey(SDL_SCANCODE_UP, true);
    PushKey(SDL_SCANCODE_UP, true, true);
    EXPECT_EQ(KeyDown(200), 1);
    PushKey(SDL_SCANCODE_UP, false);
    EXPECT_EQ(KeyDown(200), 0);
}

TEST_F(Keyboard, ATapBetweenTwoReadsIsSeenForTheRestOfTheFrame) {
    EXPECT_EQ(KeyDown(57), 0);
    PushKey(SDL_SCANCODE_SPACE, true);
    PushKey(SDL_SCANCODE_SPACE, false);
    EXPECT_EQ(KeyDown(1), 0);
    EXPECT_EQ(KeyDown(57), 1) << "pressed and released before any read saw it";
    PresentFrame();
    EXPECT_EQ(KeyDown(57), 0) << "the next frame sees the release";
    // A release after a read lets the key go at once, and a tap in the pump of the frame flip
    // is seen by the frame after it.
    PushKey(SDL_SCANCODE_SPACE, true);
    EXPECT_EQ(KeyDown(57), 1);
    PushKey(SDL_SCANCODE_SPACE, false);
    EXPECT_EQ(KeyDown(57), 0);
    PushKey(SDL_SCANCODE_Q, true);
    PushKey(SDL_SCANCODE_Q, false);
    PresentFrame();
    EXPECT_EQ(KeyDown(16), 1);
    PresentFrame();
    EXPECT_EQ(KeyDown(16), 0);
}

TEST_F(Keyboard, TheFrameFlipSeesKeysHeldWhenItPolls) {
    PushKey(SDL_SCANCODE_LEFT, true);
    PresentFrame();
    EXPECT_EQ(KeyDown(203), 1);
    EXPECT_TRUE(Rt().input->HasKeyboard());
    EXPECT_EQ(Rt().input->ScanToVirtualKey()[156], 156) << "identity table with a keyboard";
}

TEST(TranslationTable, MapsKeyCodesToVirtualKeys) {
    uint16_t table[256];
    BuildTranslationTable(table);
    const std::pair<int, int> expected[] = {
        {0, 13},   {1, 27},   {2, 49},   {10, 57},  {11, 48},   {12, 219}, {14, 8},
        {16, 81},  {21, 90},  {25, 80},  {28, 13},  {29, 17},   {30, 65},  {38, 76},
        {41, 220}, {42, 16},  {44, 89},  {50, 77},  {53, 189},  {54, 16},  {56, 18},
        {57, 32},  {58, 0},   {59, 112}, {68, 121}, {82, 96},   {83, 110}, {86, 226},
        {87, 122}, {88, 123}, {156, 28}, {157, 17}, {181, 111}, {184, 18}, {200, 38},
        {203, 37}, {205, 39}, {208, 40}, {211, 46}, {219, 91},  {221, 93},
    };
    for (const auto& [code, virtualKey] : expected)
        EXPECT_EQ(table[code], virtualKey) << "key code " << code;
    for (int unmapped : {84, 85, 89, 129, 155, 183, 197, 202, 255})
        EXPECT_EQ(table[unmapped], 255) << "key code " << unmapped;
}

namespace {

// A platform whose keyboard cannot be read and whose joystick part cannot start.
class NoKeyboardPlatform : public os::InputPlatform {
  public:
    bool Start(int) override { return false; }
    void Stop() override {}
    bool HasKeyboard() override { return false; }
    bool PollInputEvent(os::Event&) override { return false; }
    bool SetMouseCaptured(bool) override { return false; }
    void ShowPointer(bool) override {}
    void MovePointer(int, int) override {}
    bool PointerPosition(int&, int&) override { return false; }
    int KeyCharacter(int) override { return 0; }
    int JoystickCount() override { return 0; }
    std::string JoystickName(int) override { return ""; }
    bool ReadJoystick(int, os::JoystickReport&) override { return false; }
    bool Rumble(int, double, int) override { return false; }
};

} // namespace

TEST(KeyboardFallback, KeysReadThroughTheirVirtualKeysAndFailuresAreLogged) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    InputDevices input(std::make_unique<NoKeyboardPlatform>());
    EXPECT_EQ(input.Initialise(true), 0);
    EXPECT_EQ(ReadWholeFile(LogFilePath()), "No DX_Input\r\nNo DX_KB\r\nNo DX_Mouse\r\n");
    EXPECT_FALSE(input.HasKeyboard());

    // The right Shift key is virtual key 16 like the left one; keypad Enter (156) is virtual
    // key 28, not Enter's 13.
    input.keys.Press(54);
    EXPECT_TRUE(input.KeyIsDown(42));
    EXPECT_TRUE(input.KeyIsDown(54));
    input.keys.MarkRead();
    input.keys.Release(54);
    input.keys.Press(28);
    EXPECT_TRUE(input.KeyIsDown(0));
    EXPECT_FALSE(input.KeyIsDown(156));
    EXPECT_FALSE(input.KeyIsDown(255));
}
