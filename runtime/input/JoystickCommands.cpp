#include <cmath>

#include "core/Number.h"
#include "core/Runtime.h"
#include "input/InputCommands.h"
#include "input/InputDevices.h"

namespace {

// Joystick n's report; the default report (axes 0, hats centred, buttons up) when there is
// no such joystick.
os::JoystickReport ReportOf(double n) {
    os::JoystickReport report;
    if (InputDevices* input = Rt().input.get()) input->JoystickPoll(ToInt(n), report);
    return report;
}

} // namespace

double JoystickX(double n) {
    return input::ScaledAxis(ReportOf(n).axes[0]);
}

double JoystickY(double n) {
    return input::ScaledAxis(ReportOf(n).axes[1]);
}

double JoystickZ(double n) {
    return input::ScaledAxis(ReportOf(n).axes[2]);
}

double JoystickRX(double n) {
    return input::ScaledAxis(ReportOf(n).axes[3]);
}

double JoystickRY(double n) {
    return input::ScaledAxis(ReportOf(n).axes[4]);
}

double JoystickRZ(double n) {
    return input::ScaledAxis(ReportOf(n).axes[5]);
}

double JoystickHatX(double n) {
    const uint32_t pov = ReportOf(n).pov[0];
    return pov == 9000 ? 1 : pov == 27000 ? -1 : 0;
}

double JoystickHatY(double n) {
    const uint32_t pov = ReportOf(n).pov[0];
    return pov == 0 ? -1 : pov == 18000 ? 1 : 0;
}

void JoystickState(double& x, double& y, double& button1, double& button2) {
    const os::JoystickReport report = ReportOf(0);
    x = report.axes[0] / 30000;
    y = report.axes[1] / 30000;
    button1 = report.buttons[0];
    button2 = report.buttons[1];
}

RtString JoystickName(double n) {
    InputDevices* input = Rt().input.get();
    return input ? RtString(input->JoystickName(ToInt(n)).c_str()) : RtString();
}

double JoystickCount() {
    InputDevices* input = Rt().input.get();
    return input ? input->JoystickCount() : 0;
}

void JoystickRumble(double n, double ms, double x, double y) {
    // A NaN force counts as none.
    if (InputDevices* input = Rt().input.get())
        input->JoystickRumble(ToInt(n), ToInt(ms), std::isnan(x) ? 0 : x, std::isnan(y) ? 0 : y);
}
