#include "input/KeyState.h"

void KeyState::Press(int code) {
    if (code < 0 || code >= kCodes) return;
    bytes_[code] = 0x80;
    readsAtPress_[code] = reads_;
    releaseHeldBack_[code] = false;
    pressedSinceCheck_[code] = true;
}

void KeyState::Release(int code) {
    if (code < 0 || code >= kCodes) return;
    if (bytes_[code] && readsAtPress_[code] == reads_) {
        releaseHeldBack_[code] = true;
        unreadFrames_[code] = 0;
    } else {
        bytes_[code] = 0;
    }
}

void KeyState::NextFrame() {
    for (int code = 0; code < kCodes; ++code) {
        if (!releaseHeldBack_[code]) continue;
        const bool read = readsAtPress_[code] != reads_;
        if (!read && unreadFrames_[code] == 0) {
            unreadFrames_[code] = 1;
            continue;
        }
        bytes_[code] = 0;
        releaseHeldBack_[code] = false;
    }
}

void KeyState::MarkChecked() {
    for (bool& pressed : pressedSinceCheck_)
        pressed = false;
}
