// The input object: keyboard, mouse and up to ten joysticks. Key codes are DirectInput scan
// codes (1 Escape, 28 Enter, 57 Space, 200 Up ...). This object takes the keyboard, mouse and
// text events of the platform: it keeps the key state, the mouse with its per-frame movement and
// the typed-key state, and reads joysticks through the platform.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "input/KeyState.h"
#include "os/Input.h"

// The clamped pointer and the left and right buttons as a round of the input waits saw them.
struct WaitMouse {
    int x = 0, y = 0;
    bool left = false, right = false;
};

// One mouse poll: buttons left, right, middle (non-zero while down), the movement of the
// current frame and the wheel direction (-1, 0, 1).
struct MouseReport {
    int16_t buttons[3] = {};
    int16_t dx = 0, dy = 0, wheel = 0;
};

class InputDevices {
  public:
    static constexpr int kMaxJoysticks = 10;

    explicit InputDevices(std::unique_ptr<os::InputPlatform> platform);
    ~InputDevices();

    // Sets up keyboard, mouse (captured when wanted, else the free pointer) and joysticks.
    // Parts that cannot be set up are logged ("No DX_Input", "No DX_KB", "No DX_Mouse"); the
    // result is then 0, else 1. Input works as far as it can either way.
    int Initialise(bool wantMouse);
    // Frees the mouse, shows the pointer at the stored position and closes the joysticks.
    void Release();

    // Takes the keyboard, mouse and text events still waiting on the platform; focus and close
    // stay queued for the window's event pump.
    void TakePendingEvents();
    // Takes in one keyboard, mouse or text event of the window's event pump.
    void HandleEvent(const os::Event& event);
    // A new frame begins (every event pump starts one): a key or button tapped before the last
    // one ends its tap.
    void NextFrame() {
        keys.NextFrame();
        buttons_.NextFrame();
    }

    // Key codes held down, as the program reads them.
    KeyState keys;

    // Whether key code (0..255) is down.
    bool KeyIsDown(int code) const;
    bool HasKeyboard() const { return keyboard_; }
    // The virtual-key code table: the identity with a keyboard, else the translation form.
    const uint16_t* ScanToVirtualKey() const { return scanToVirtualKey_; }

    // One mouse poll; the first of a frame computes the movement, later ones repeat it.
    int MousePoll(MouseReport& report);
    // The next mouse poll is the first of a new frame.
    void StartFrame() { newFrame_ = true; }
    void SetMouseFree(bool free);
    void ShowCursor(bool shown);
    bool PointerFree() const { return pointerFree_; }
    bool CursorShown() const { return cursorShown_; }
    // The stored pointer, in client pixels; commands move and clamp it.
    int pointerX = 100, pointerY = 100;
    // The mouse as the previous round of an input wait left it.
    WaitMouse waitMouse;

    // The character of the newly typed key (the scan over the held keys with repeat
    // suppression); 0 when there is none.
    int TypedCharacter();

    int JoystickCount() const { return joystickCount_; }
    std::string JoystickName(int index) const;
    // Reads joystick index into report; 0 (report untouched) when there is no such joystick.
    int JoystickPoll(int index, os::JoystickReport& report);
    // A constant force along (x, y), each clamped to -1..1, for ms milliseconds.
    void JoystickRumble(int index, int ms, double x, double y);

  private:
    int CharacterOfKey(int code);
    void ApplyMouseMode(bool shown);

    std::unique_ptr<os::InputPlatform> platform_;
    bool keyboard_ = false;
    bool mouseDevice_ = false;
    bool pointerFree_ = false;
    bool cursorShown_ = true;
    bool released_ = false;
    uint16_t scanToVirtualKey_[256] = {};

    // The pointer as the last event placed it, and the motion and wheel since the first
    // poll of the last frame.
    int eventX_ = 100, eventY_ = 100;
    int64_t pendingDx_ = 0, pendingDy_ = 0, pendingWheel_ = 0;
    // Left, right and middle as codes 0..2: a click between two polls stays down until the
    // next frame, as a tapped key does.
    KeyState buttons_;
    bool newFrame_ = true;
    int16_t lastDx_ = 0, lastDy_ = 0, lastWheel_ = 0;

    // Typed text: the character each key typed last (from the platform's text events), the
    // key pressed last, and the character GetTypedKey returned last.
    unsigned char textOfKey_[256] = {};
    int lastPressedKey_ = -1;
    int lastTyped_ = 0;

    int joystickCount_ = 0;
};

namespace input {

// The key-code to virtual-key-code table used when no keyboard can be read.
void BuildTranslationTable(uint16_t (&table)[256]);
// A joystick axis value scaled to -1..1.
double ScaledAxis(int32_t raw);

} // namespace input
