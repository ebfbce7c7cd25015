#include <algorithm>
#include <cmath>

#include "app/FrameLoop.h"
#include "core/Runtime.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputCommands.h"
#include "input/InputDevices.h"
#include "input/InputPolls.h"

namespace {

const int kQuietRounds = 15;
const unsigned kRoundSleepMs = 5;
const double kAxisMoved = 0.1;

bool AnyKeyHeld(const InputDevices& input) {
    for (int code = 0; code < 255; ++code)
        if (input.KeyIsDown(code)) return true;
    return false;
}

bool MouseChanged(InputDevices& input, const OpenGLRainbows& device) {
    MouseReport report;
    input.MousePoll(report);
    WaitMouse now;
    now.x = std::max(0, std::min(input.pointerX, device.screenWidth - 1));
    now.y = std::max(0, std::min(input.pointerY, device.screenHeight - 1));
    now.left = report.buttons[0] != 0;
    now.right = report.buttons[1] != 0;
    WaitMouse& previous = input.waitMouse;
    const bool changed = now.x != previous.x || now.y != previous.y || now.left != previous.left ||
                         now.right != previous.right;
    previous = now;
    return changed;
}

bool AnyJoystickActive(InputDevices& input) {
    for (int n = 0; n < input.JoystickCount(); ++n) {
        os::JoystickReport report;
        if (!input.JoystickPoll(n, report)) continue;
        for (uint8_t button : report.buttons)
            if (button & 0x80) return true;
        for (int32_t axis : report.axes)
            if (std::fabs(axis / 32767.0) > kAxisMoved) return true;
    }
    return false;
}

// Waits up to 15 short rounds for any input: a key, a mouse movement or button, a joystick
// button or axis. The window stays alive and Escape still ends the program meanwhile.
void WaitStep(OpenGLRainbows& device, InputDevices& input) {
    for (int round = 0; round < kQuietRounds; ++round) {
        PumpMessages(device);
        input::StartInputFrame();
        CheckQuitKeys(true);
        input::PollKeyboard();
        const bool keys = AnyKeyHeld(input);
        const bool mouse = MouseChanged(input, device);
        if (keys || mouse || AnyJoystickActive(input)) return;
        PacingClock().SleepMs(kRoundSleepMs);
    }
}

} // namespace

void WaitForKey() {
    Runtime& rt = Rt();
    if (!rt.gfx || !rt.input) return;
    while (!input::AnyKeyTyped()) {
        PumpMessages(*rt.gfx);
        WaitStep(*rt.gfx, *rt.input);
    }
    while (input::AnyKeyTyped()) {
    }
}

void WaitForMouse() {
    Runtime& rt = Rt();
    if (!rt.gfx || !rt.input) return;
    // A button held at the call must be let go first; the window stays alive meanwhile.
    while (input::AnyMouseButton())
        WaitStep(*rt.gfx, *rt.input);
    if (input::AnyMouseButton()) return;
    do {
        WaitStep(*rt.gfx, *rt.input);
    } while (!input::AnyMouseButton());
}
