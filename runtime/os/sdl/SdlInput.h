// Input devices on SDL2: relative mouse mode, the system pointer, the keyboard layout and
// joysticks through SDL's joystick API.
#pragma once

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "os/Input.h"

namespace os {

class SdlWindow;

class SdlInput : public InputPlatform {
  public:
    // The window is read at each use: it may be closed before the input is released.
    explicit SdlInput(SdlWindow& window) : window_(window) {}
    ~SdlInput() override;

    bool Start(int maxJoysticks) override;
    void Stop() override;
    bool HasKeyboard() override;
    bool PollInputEvent(Event& event) override;

    bool SetMouseCaptured(bool captured) override;
    void ShowPointer(bool shown) override;
    void MovePointer(int x, int y) override;
    bool PointerPosition(int& x, int& y) override;

    int KeyCharacter(int keyCode) override;

    int JoystickCount() override { return static_cast<int>(joysticks_.size()); }
    std::string JoystickName(int index) override;
    bool ReadJoystick(int index, JoystickReport& report) override;
    bool Rumble(int index, double strength, int ms) override;

  private:
    struct Joystick {
        SDL_Joystick* device = nullptr;
        std::string name;
    };

    SdlWindow& window_;
    bool joystickStarted_ = false;
    // True when the SDL queue was found empty: the next poll pumps the platform first.
    bool drained_ = true;
    Uint64 lastPump_ = 0; // performance counter at the last pump
    std::vector<Joystick> joysticks_;
};

// The point-of-view value (hundredths of a degree, kCentredPov when centred) of an SDL hat.
uint32_t PovOfHat(Uint8 hat);
// The SDL scancode of a key code; SDL_SCANCODE_UNKNOWN when no key has it.
SDL_Scancode ScancodeOfKeyCode(int keyCode);

} // namespace os
