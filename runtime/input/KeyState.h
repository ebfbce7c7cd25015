// The key state the program reads: 0x80 for a held key, indexed by key code.
//
// A key pressed and released with no read of the keys in between (a short tap during a slow
// frame) reads as held until the next frame begins, so the program still sees it and a typed
// character is not lost. A tap that no read has seen by then (a poll for another device took
// its events in) waits one frame more. A release that comes after a read lets the key go at
// once.
//
// The frame loop reads the keys on its own, once a frame, for the quit keys: a key pressed
// since its last check counts for it too, even when the program's reads in between saw the
// tap and the frame that let it go has begun. The mouse buttons keep their taps the same way.
#pragma once

#include <cstdint>

class KeyState {
  public:
    void Press(int code);
    void Release(int code);
    // The program read the keys: presses before this have been seen.
    void MarkRead() { ++reads_; }
    // A new frame begins: releases held back for a press that has been read take effect, and
    // those still unread a frame later.
    void NextFrame();

    bool Held(int code) const { return code >= 0 && code < kCodes && bytes_[code] != 0; }
    // The frame loop's view: held now, or pressed since its last check.
    bool HeldSinceCheck(int code) const {
        return Held(code) || (code >= 0 && code < kCodes && pressedSinceCheck_[code]);
    }
    // The frame loop checked the keys: presses before this have been seen by it.
    void MarkChecked();
    const unsigned char* Bytes() const { return bytes_; }

  private:
    static const int kCodes = 256;
    unsigned char bytes_[kCodes] = {};
    bool releaseHeldBack_[kCodes] = {};
    // Frames begun while a release was held back for a press no read has seen.
    uint8_t unreadFrames_[kCodes] = {};
    bool pressedSinceCheck_[kCodes] = {};
    // Reads counted when each key was last pressed.
    uint64_t readsAtPress_[kCodes] = {};
    uint64_t reads_ = 1;
};
