// One numbered sound: up to four copies of the same samples, so that a sound can overlap
// itself.
#pragma once

#include <memory>

#include "os/Audio.h"

struct SoundSlot {
    static constexpr int kMaxCopies = 4;

    // Copies in use, 1..4; 0 = empty slot.
    int copyCount = 0;
    // The copy used last: where the rotation of copies goes on from.
    int nextCopy = 0;
    // The samples of copy 0, converted once to the output format; every copy plays this one
    // chunk on its own mixer channel.
    std::unique_ptr<os::AudioChunk> samples;
};
