// Input devices behind the platform seam: the mouse mode, typed characters of the keyboard
// layout, and joysticks. Keyboard and mouse events themselves arrive through the window's
// event queue.
#pragma once

#include <cstdint>
#include <string>

#include "os/Window.h"

namespace os {

const uint32_t kCentredPov = 0xFFFFFFFFu;

// One joystick reading in the report layout game code sees: six axes (X, Y, Z and the three
// rotations) and two sliders in -32768..32767, four point-of-view values in hundredths of a
// degree clockwise from north (kCentredPov when centred), 32 buttons (0x80 while down).
struct JoystickReport {
    int32_t axes[6] = {};
    int32_t sliders[2] = {};
    uint32_t pov[4] = {kCentredPov, kCentredPov, kCentredPov, kCentredPov};
    uint8_t buttons[32] = {};
};

class InputPlatform {
  public:
    virtual ~InputPlatform() = default;

    // Sets up the joystick part and takes the joysticks attached now (at most maxJoysticks).
    // False when that part cannot be set up; keyboard and mouse still work then.
    virtual bool Start(int maxJoysticks) = 0;
    // Closes the joysticks.
    virtual void Stop() = 0;
    // True when the keyboard state can be read.
    virtual bool HasKeyboard() = 0;

    // Takes the next pending keyboard, mouse or text event, leaving every other event (focus,
    // close) queued for the window's own pump. False when none is waiting.
    virtual bool PollInputEvent(Event& event) = 0;

    // Captured mouse: relative motion, system pointer hidden; otherwise the free pointer.
    // False when the platform cannot capture the mouse.
    virtual bool SetMouseCaptured(bool captured) = 0;
    virtual void ShowPointer(bool shown) = 0;
    // Moves the system pointer to (x, y) in the window's client area.
    virtual void MovePointer(int x, int y) = 0;
    // The system pointer in client coordinates; false when it is not over the window.
    virtual bool PointerPosition(int& x, int& y) = 0;

    // The character that the key with this key code types in the keyboard layout in force
    // without modifiers (a byte 32..126 or 160..255); 0 when it types none.
    virtual int KeyCharacter(int keyCode) = 0;

    virtual int JoystickCount() = 0;
    virtual std::string JoystickName(int index) = 0;
    // Reads joystick index; false when there is no such joystick.
    virtual bool ReadJoystick(int index, JoystickReport& report) = 0;
    // Starts a rumble of strength 0..1 for ms milliseconds; false when the joystick has none.
    virtual bool Rumble(int index, double strength, int ms) = 0;
};

} // namespace os
