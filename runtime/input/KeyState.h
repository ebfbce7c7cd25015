// The key state the program reads: 0x80 for a held key, indexed by key code.
//
// A key pressed and released with no read of the keys in between (a short tap during a slow
// frame) reads as held until the next frame begins, so the program still sees it and a typed
// character is not lost. A release that comes after a read lets the key go at once.
#pragma once

#include <cstdint>

class KeyState {
  public:
    void Press(int code);
    void Release(int code);
    // The program read the keys: presses before this have been seen.
    void MarkRead() { ++reads_; }
    // A new frame begins: releases held back for an unseen press take effect.
    void NextFrame();

    bool Held(int code) const { return code >= 0 && code < kCodes && bytes_[code] != 0; }
    const unsigned char* Bytes() const { return bytes_; }

  private:
    static const int kCodes = 256;
    unsigned char bytes_[kCodes] = {};
    bool releaseHeldBack_[kCodes] = {};
    // Reads counted when each key was last pressed.
    uint64_t readsAtPress_[kCodes] = {};
    uint64_t reads_ = 1;
};
