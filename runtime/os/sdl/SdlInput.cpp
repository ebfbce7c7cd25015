#include "os/sdl/SdlInput.h"

#include <algorithm>
#include <cmath>

#include "os/sdl/SdlKeys.h"
#include "os/sdl/SdlWindow.h"

namespace os {

namespace {

// The longest name a joystick keeps, as in the name table of the input object.
const size_t kMaxJoystickName = 521;

// The display name: the device's own name, followed by the controller's product name when
// SDL knows the device as a game controller under another name.
std::string NameOfJoystick(int deviceIndex, SDL_Joystick* joystick) {
    const char* instance = SDL_JoystickName(joystick);
    std::string name = instance ? instance : "";
    if (SDL_IsGameController(deviceIndex)) {
        const char* product = SDL_GameControllerNameForIndex(deviceIndex);
        if (product && *product && name != product)
            name += name.empty() ? product : std::string(", ") + product;
    }
    if (name.size() > kMaxJoystickName) name.resize(kMaxJoystickName);
    return name;
}

} // namespace

uint32_t PovOfHat(Uint8 hat) {
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kCentredPov;
    }
}

SDL_Scancode ScancodeOfKeyCode(int keyCode) {
    static const std::vector<SDL_Scancode> table = [] {
        std::vector<SDL_Scancode> byCode(256, SDL_SCANCODE_UNKNOWN);
        for (int s = SDL_NUM_SCANCODES - 1; s > 0; --s) {
            const int code = SdlScancodeToKeyCode(static_cast<SDL_Scancode>(s));
            if (code > 0 && code < 256) byCode[code] = static_cast<SDL_Scancode>(s);
        }
        return byCode;
    }();
    return keyCode >= 0 && keyCode < 256 ? table[keyCode] : SDL_SCANCODE_UNKNOWN;
}

SdlInput::~SdlInput() {
    Stop();
}

bool SdlInput::Start(int maxJoysticks) {
    if (!joystickStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) return false;
        joystickStarted_ = true;
    }
    // The joysticks attached at start-up are the program's joysticks; one that is plugged in
    // later is not taken, so joystick numbers never change while the program runs.
    const int attached = SDL_NumJoysticks();
    for (int i = 0; i < attached && JoystickCount() < maxJoysticks; ++i) {
        SDL_Joystick* device = SDL_JoystickOpen(i);
        if (!device) continue;
        joysticks_.push_back({device, NameOfJoystick(i, device)});
    }
    return true;
}

void SdlInput::Stop() {
    for (Joystick& joystick : joysticks_)
        SDL_JoystickClose(joystick.device);
    joysticks_.clear();
    if (joystickStarted_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    joystickStarted_ = false;
}

bool SdlInput::HasKeyboard() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetKeyboardState(nullptr) != nullptr;
}

bool SdlInput::PollInputEvent(Event& event) {
    // A pump asks the display server for news, under X a round trip that costs far more than
    // reading a key; polls in quick succession (a key read per crab) share one pump a millisecond.
    if (drained_) {
        const Uint64 now = SDL_GetPerformanceCounter();
        if (now - lastPump_ >= SDL_GetPerformanceFrequency() / 1000) {
            SDL_PumpEvents();
            lastPump_ = now;
        }
        drained_ = false;
    }
    SDL_Event in;
    while (SDL_PeepEvents(&in, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_MOUSEWHEEL) == 1) {
        if (SdlWindow::Translate(in, event)) return true;
    }
    drained_ = true;
    return false;
}

bool SdlInput::SetMouseCaptured(bool captured) {
    return SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE) == 0;
}

void SdlInput::ShowPointer(bool shown) {
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
    if (shown) SDL_SetCursor(SDL_GetDefaultCursor());
}

void SdlInput::MovePointer(int x, int y) {
    if (window_.Handle()) SDL_WarpMouseInWindow(window_.Handle(), x, y);
}

bool SdlInput::PointerPosition(int& x, int& y) {
    if (!window_.Handle() || SDL_GetMouseFocus() != window_.Handle()) return false;
    SDL_GetMouseState(&x, &y);
    return true;
}

int SdlInput::KeyCharacter(int keyCode) {
    const SDL_Scancode scancode = ScancodeOfKeyCode(keyCode);
    if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
    const SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
    if ((key >= 32 && key <= 126) || (key >= 160 && key <= 255)) return static_cast<int>(key);
    switch (key) {
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PLUS: return '+';
    case SDLK_KP_PERIOD: return '.';
    case SDLK_KP_0: return '0';
    default: break;
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return '1' + static_cast<int>(key - SDLK_KP_1);
    return 0;
}

std::string SdlInput::JoystickName(int index) {
    return index >= 0 && index < JoystickCount() ? joysticks_[index].name : std::string();
}

bool SdlInput::ReadJoystick(int index, JoystickReport& report) {
    if (index < 0 || index >= JoystickCount()) return false;
    SDL_Joystick* device = joysticks_[index].device;
    SDL_JoystickUpdate();
    report = JoystickReport{};
    const int axes = SDL_JoystickNumAxes(device);
    for (int a = 0; a < 8 && a < axes; ++a) {
        const int32_t value = SDL_JoystickGetAxis(device, a);
        if (a < 6)
            report.axes[a] = value;
        else
            report.sliders[a - 6] = value;
    }
    const int hats = SDL_JoystickNumHats(device);
    for (int h = 0; h < 4; ++h)
        report.pov[h] = h < hats ? PovOfHat(SDL_JoystickGetHat(device, h)) : kCentredPov;
    const int buttons = SDL_JoystickNumButtons(device);
    for (int b = 0; b < 32 && b < buttons; ++b)
        report.buttons[b] = SDL_JoystickGetButton(device, b) ? 0x80 : 0;
    return true;
}

bool SdlInput::Rumble(int index, double strength, int ms) {
    if (index < 0 || index >= JoystickCount()) return false;
    SDL_Joystick* device = joysticks_[index].device;
    if (!SDL_JoystickHasRumble(device)) return false;
    const double clamped = std::min(1.0, std::max(0.0, strength));
    const Uint16 motor = static_cast<Uint16>(std::lround(clamped * 65535.0));
    return SDL_JoystickRumble(device, motor, motor, static_cast<Uint32>(std::max(ms, 0))) == 0;
}

} // namespace os
