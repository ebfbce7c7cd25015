#include "input/InputDevices.h"

#include <algorithm>
#include <numeric>

#include "core/ErrorLog.h"

namespace {

const int kKeyLeftShift = 42;
const int kKeyRightShift = 54;

int16_t ToInt16(int64_t value) {
    return static_cast<int16_t>(std::min<int64_t>(INT16_MAX, std::max<int64_t>(INT16_MIN, value)));
}

int Sign(int64_t value) {
    return (value > 0) - (value < 0);
}

// The stored pointer moves by a 16-bit step and saturates instead of overflowing.
int MovedBy(int position, int16_t step) {
    const int64_t moved = static_cast<int64_t>(position) + step;
    return static_cast<int>(std::min<int64_t>(INT32_MAX, std::max<int64_t>(INT32_MIN, moved)));
}

// The byte of a text event that types one character of the Latin-1 range; 0 otherwise.
int SingleCharacterOf(const char* text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (bytes[0] >= 32 && bytes[0] < 127 && bytes[1] == 0) return bytes[0];
    // U+00A0..U+00FF in UTF-8: 0xC2 or 0xC3 followed by one continuation byte.
    if ((bytes[0] == 0xC2 || bytes[0] == 0xC3) && (bytes[1] & 0xC0) == 0x80 && bytes[2] == 0) {
        const int character = ((bytes[0] & 0x1F) << 6) | (bytes[1] & 0x3F);
        return character >= 160 ? character : 0;
    }
    return 0;
}

} // namespace

double input::ScaledAxis(int32_t raw) {
    return std::min(1.0, std::max(-1.0, raw / 32767.0));
}

InputDevices::InputDevices(std::unique_ptr<os::InputPlatform> platform)
    : platform_(std::move(platform)) {
    input::BuildTranslationTable(scanToVirtualKey_);
}

InputDevices::~InputDevices() {
    Release();
}

int InputDevices::Initialise(bool wantMouse) {
    int status = 1;
    if (!platform_ || !platform_->Start(kMaxJoysticks)) {
        AppendLogLine("No DX_Input");
        status = 0;
    }
    if (platform_ && platform_->PointerPosition(eventX_, eventY_)) {
        pointerX = eventX_;
        pointerY = eventY_;
    }

    keyboard_ = platform_ && platform_->HasKeyboard();
    if (platform_ && !keyboard_) {
        AppendLogLine("No DX_KB");
        status = 0;
    }
    if (keyboard_)
        std::iota(std::begin(scanToVirtualKey_), std::end(scanToVirtualKey_), 0);
    else
        input::BuildTranslationTable(scanToVirtualKey_);

    mouseDevice_ = wantMouse && platform_;
    pointerFree_ = !mouseDevice_;
    cursorShown_ = pointerFree_;
    if (mouseDevice_) {
        platform_->ShowPointer(false);
        if (!platform_->SetMouseCaptured(true)) {
            AppendLogLine("No DX_Mouse");
            status = 0;
        }
    }

    joystickCount_ = platform_ ? std::min(platform_->JoystickCount(), kMaxJoysticks) : 0;
    return status;
}

void InputDevices::Release() {
    if (released_) return;
    released_ = true;
    pointerFree_ = true;
    if (mouseDevice_) ApplyMouseMode(true);
    if (platform_) platform_->Stop();
    joystickCount_ = 0;
}

void InputDevices::TakePendingEvents() {
    if (!platform_ || released_) return;
    os::Event event;
    while (platform_->PollInputEvent(event))
        HandleEvent(event);
}

void InputDevices::HandleEvent(const os::Event& event) {
    using Type = os::Event::Type;
    switch (event.type) {
    case Type::KeyDown:
    case Type::KeyUp:
        if (event.code <= 0 || event.code >= 256) break;
        if (event.type == Type::KeyUp) {
            keys.Release(event.code);
            break;
        }
        keys.Press(event.code);
        if (!event.repeat) {
            // A fresh press types whatever the platform's text event after it says.
            lastPressedKey_ = event.code;
            textOfKey_[event.code] = 0;
        }
        break;
    case Type::TextInput:
        if (lastPressedKey_ > 0 && KeyIsDown(lastPressedKey_)) {
            const int character = SingleCharacterOf(event.text);
            if (character) textOfKey_[lastPressedKey_] = static_cast<unsigned char>(character);
        }
        break;
    case Type::MouseMotion:
        eventX_ = event.x;
        eventY_ = event.y;
        pendingDx_ += event.dx;
        pendingDy_ += event.dy;
        break;
    case Type::MouseButtonDown:
    case Type::MouseButtonUp:
        if (event.code >= 0 && event.code < 3) {
            if (event.type == Type::MouseButtonDown)
                buttons_.Press(event.code);
            else
                buttons_.Release(event.code);
        }
        break;
    case Type::MouseWheel: pendingWheel_ += event.dy; break;
    default: break;
    }
}

bool InputDevices::KeyIsDown(int code) const {
    if (code < 0 || code > 255) return false;
    const unsigned char* held = keys.Bytes();
    if (keyboard_) return (held[code] & 0x80) != 0;
    // Without a keyboard device a key code reads its virtual key: any held key that maps to
    // the same virtual key counts, as both Shift keys do for code 42.
    const uint16_t virtualKey = scanToVirtualKey_[code];
    if (virtualKey == 255) return false;
    for (int other = 0; other < 256; ++other)
        if ((held[other] & 0x80) && scanToVirtualKey_[other] == virtualKey) return true;
    return false;
}

int InputDevices::MousePoll(MouseReport& report) {
    if (newFrame_) {
        newFrame_ = false;
        int16_t dx, dy;
        if (pointerFree_) {
            dx = ToInt16(static_cast<int64_t>(eventX_) - pointerX);
            dy = ToInt16(static_cast<int64_t>(eventY_) - pointerY);
            pointerX = eventX_;
            pointerY = eventY_;
        } else {
            dx = ToInt16(pendingDx_);
            dy = ToInt16(pendingDy_);
            pointerX = MovedBy(pointerX, dx);
            pointerY = MovedBy(pointerY, dy);
        }
        lastDx_ = dx;
        lastDy_ = dy;
        lastWheel_ = static_cast<int16_t>(Sign(pendingWheel_));
        pendingDx_ = pendingDy_ = pendingWheel_ = 0;
    }
    report.dx = lastDx_;
    report.dy = lastDy_;
    report.wheel = lastWheel_;
    for (int b = 0; b < 3; ++b)
        report.buttons[b] = buttons_.Held(b) ? 0x80 : 0;
    buttons_.MarkRead();
    return 1;
}

void InputDevices::ApplyMouseMode(bool shown) {
    cursorShown_ = shown;
    if (!platform_) return;
    platform_->SetMouseCaptured(!shown);
    platform_->ShowPointer(shown);
    if (shown) {
        // The free pointer starts where the program's pointer stood.
        platform_->MovePointer(pointerX, pointerY);
        eventX_ = pointerX;
        eventY_ = pointerY;
    }
}

void InputDevices::SetMouseFree(bool free) {
    if (free == pointerFree_) return;
    pointerFree_ = free;
    if (mouseDevice_) ApplyMouseMode(free);
}

void InputDevices::ShowCursor(bool shown) {
    if (shown == cursorShown_) return;
    if (mouseDevice_)
        ApplyMouseMode(shown);
    else
        cursorShown_ = shown;
}

int InputDevices::CharacterOfKey(int code) {
    switch (code) {
    case 54:
    case 29:
    case 42:
    case 56:
    case 58:
    case 69:
    case 221: return 0;
    case 28:
    case 156: return 10;
    case 14: return 8;
    default: break;
    }
    int character = textOfKey_[code];
    if (!character && platform_) character = platform_->KeyCharacter(code);
    return character < 32 && character != 8 && character != 10 ? 0 : character;
}

int InputDevices::TypedCharacter() {
    int character = 0;
    for (int code = 0; code < 255 && !character; ++code)
        if (KeyIsDown(code)) character = CharacterOfKey(code);
    if ((KeyIsDown(kKeyLeftShift) || KeyIsDown(kKeyRightShift)) && character >= 'a' &&
        character <= 'z')
        character -= 'a' - 'A';
    // A held key types its character once; after a poll that found none it may type again.
    if (character == lastTyped_) return 0;
    lastTyped_ = character;
    return character;
}

std::string InputDevices::JoystickName(int index) const {
    return index >= 0 && index < joystickCount_ ? platform_->JoystickName(index) : std::string();
}

int InputDevices::JoystickPoll(int index, os::JoystickReport& report) {
    if (index < 0 || index >= joystickCount_) return 0;
    return platform_->ReadJoystick(index, report) ? 1 : 0;
}

void InputDevices::JoystickRumble(int index, int ms, double x, double y) {
    if (index < 0 || index >= joystickCount_) return;
    x = std::min(1.0, std::max(-1.0, x));
    y = std::min(1.0, std::max(-1.0, y));
    // The force of the effect, 0..10000, as a share of the strongest.
    const int magnitude = static_cast<int>((x * x + y * y) * 10000 * 0.5);
    platform_->Rumble(index, magnitude / 10000.0, ms);
}
