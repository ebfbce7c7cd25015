#include "input/InputCommands.h"

#include <algorithm>

#include "core/Number.h"
#include "core/Runtime.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputDevices.h"
#include "input/InputPolls.h"

namespace {

// The mouse poll of the commands: current events first, then the report.
MouseReport PollMouse() {
    MouseReport report;
    InputDevices* input = Rt().input.get();
    if (!input) return report;
    input::PollKeyboard();
    input->MousePoll(report);
    return report;
}

// A poll whose key state the caller reads.
void ReadKeyboard(InputDevices& input) {
    input.TakePendingEvents();
    input.keys.MarkRead();
}

double ButtonValue(int16_t button) {
    return button != 0 ? 1.0 : 0.0;
}

} // namespace

void input::PollKeyboard() {
    InputDevices* input = Rt().input.get();
    if (input) input->TakePendingEvents();
}

void input::StartInputFrame() {
    if (!Rt().input) return;
    input::PollKeyboard();
    Rt().input->StartFrame();
}

int input::AnyMouseButton() {
    const MouseReport report = PollMouse();
    return report.buttons[0] || report.buttons[1] || report.buttons[2] ? 1 : 0;
}

int input::TypedKeyCode() {
    InputDevices* input = Rt().input.get();
    if (!input) return 0;
    ReadKeyboard(*input);
    return input->TypedCharacter();
}

int input::AnyKeyTyped() {
    return input::TypedKeyCode() != 0 ? 1 : 0;
}

double KeyDown(double code) {
    InputDevices* input = Rt().input.get();
    if (!input) return 0;
    ReadKeyboard(*input);
    return input->KeyIsDown(ToInt(code) & 255) ? 1 : 0;
}

void GetMouseState(double& x, double& y, double& button1, double& button2) {
    Runtime& rt = Rt();
    const MouseReport report = PollMouse();
    InputDevices* input = rt.input.get();
    if (!input) {
        x = y = button1 = button2 = 0;
        return;
    }
    if (rt.gfx) {
        input->pointerX = std::max(0, std::min(input->pointerX, rt.gfx->screenWidth - 1));
        input->pointerY = std::max(0, std::min(input->pointerY, rt.gfx->screenHeight - 1));
    }
    x = input->pointerX;
    y = input->pointerY;
    button1 = ButtonValue(report.buttons[0]);
    button2 = ButtonValue(report.buttons[1]);
}

double GetMouseAxis(double index) {
    const MouseReport report = PollMouse();
    switch (ToInt(index)) {
    case 0: return report.dx;
    case 1: return report.dy;
    case 2: return report.wheel;
    case 3: return ButtonValue(report.buttons[0]);
    case 4: return ButtonValue(report.buttons[1]);
    case 5: return ButtonValue(report.buttons[2]);
    default: return 0;
    }
}

void SetMousePosition(double x, double y) {
    if (InputDevices* input = Rt().input.get()) {
        input->pointerX = ToInt(x);
        input->pointerY = ToInt(y);
    }
}

void SetMouseFree(double flag) {
    // A NaN flag compares unequal to 0 and so frees the pointer.
    if (InputDevices* input = Rt().input.get()) input->SetMouseFree(flag != 0);
}

void ShowMouseCursor(double flag) {
    if (InputDevices* input = Rt().input.get()) input->ShowCursor(flag != 0);
}

RtString GetTypedKey() {
    const int character = input::TypedKeyCode();
    if (!character) return RtString();
    const char text[2] = {static_cast<char>(character), 0};
    return RtString(text);
}
