#include "os/headless/HeadlessInput.h"

#include "os/headless/Headless.h"

namespace os {

namespace {

bool IsInputEvent(const Event& event) {
    switch (event.type) {
    case Event::Type::KeyDown:
    case Event::Type::KeyUp:
    case Event::Type::MouseMotion:
    case Event::Type::MouseButtonDown:
    case Event::Type::MouseButtonUp:
    case Event::Type::MouseWheel:
    case Event::Type::TextInput: return true;
    default: return false;
    }
}

} // namespace

bool HeadlessInput::PollInputEvent(Event& event) {
    // Input events are taken in order up to the first event of another kind, which stays for
    // the window's pump.
    if (events_.empty() || !IsInputEvent(events_.front())) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

int HeadlessInput::KeyCharacter(int keyCode) {
    // The main block and the keypad of a US keyboard, by key code.
    static const char kMainBlock[] = "\0\0"
                                     "1234567890-=\0\0"
                                     "qwertyuiop[]\0\0"
                                     "asdfghjkl;'`\0\\"
                                     "zxcvbnm,./\0*\0 \0"
                                     "\0\0\0\0\0\0\0\0\0\0\0\0"
                                     "789-456+1230.";
    if (keyCode >= 0 && keyCode < static_cast<int>(sizeof(kMainBlock) - 1))
        return static_cast<unsigned char>(kMainBlock[keyCode]);
    return keyCode == 181 ? '/' : 0;
}

std::unique_ptr<InputPlatform> HeadlessWindow::CreateInput() {
    return std::make_unique<HeadlessInput>(events);
}

} // namespace os
