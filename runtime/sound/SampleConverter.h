// Turns WAV samples of any playable format into the output format: signed 16-bit stereo at
// the output rate.
#pragma once

#include <cstdint>
#include <vector>

#include "sound/WavReader.h"

namespace sound {

// Writes the interleaved stereo frames of wav at outputRate into samples: mono is copied to
// both sides, other rates are resampled linearly, so the sound keeps its length in time
// (frameCount × outputRate / rate frames, at least one). False when the result would be too
// long to hold.
bool ConvertToOutput(const WavSamples& wav, int outputRate, std::vector<int16_t>& samples);

} // namespace sound
