// Input without a display: keyboard and mouse events come from the headless window's script,
// the keyboard layout is US English, the pointer is a pair of numbers and there are no
// joysticks.
#pragma once

#include <deque>

#include "os/Input.h"

namespace os {

class HeadlessInput : public InputPlatform {
  public:
    explicit HeadlessInput(std::deque<Event>& events) : events_(events) {}

    bool Start(int) override { return true; }
    void Stop() override {}
    bool HasKeyboard() override { return true; }
    bool PollInputEvent(Event& event) override;

    bool SetMouseCaptured(bool on) override {
        captured = on;
        return true;
    }
    void ShowPointer(bool shown) override { pointerShown = shown; }
    void MovePointer(int x, int y) override {
        pointerX = x;
        pointerY = y;
    }
    bool PointerPosition(int&, int&) override { return false; }

    int KeyCharacter(int keyCode) override;

    int JoystickCount() override { return 0; }
    std::string JoystickName(int) override { return std::string(); }
    bool ReadJoystick(int, JoystickReport&) override { return false; }
    bool Rumble(int, double, int) override { return false; }

    bool captured = false;
    bool pointerShown = true;
    int pointerX = 0, pointerY = 0;

  private:
    std::deque<Event>& events_;
};

} // namespace os
