// Reads the PCM samples of a WAV file: the 36-byte head with the format, then a walk over the
// chunks to the "data" chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sound {

// The samples of a WAV file in the file's own format. samples points into the bytes that were
// parsed.
struct WavSamples {
    int channels = 0;      // 1 or 2: a file with more than one channel is read as stereo
    int rate = 0;          // frames per second
    int bitsPerSample = 0; // 8 (unsigned), 16, 24 or 32 (signed)
    int blockAlign = 0;    // bytes per frame
    const uint8_t* samples = nullptr;
    size_t frameCount = 0;
};

// Parses a whole WAV file held in memory. False when it is shorter than its 36-byte head, has
// no "data" chunk, no whole frame of samples, or a format that cannot be played.
bool ParseWav(const uint8_t* bytes, size_t size, WavSamples& wav);

// Reads the whole file at path into bytes; false when it cannot be opened or read, is no
// regular file or holds more than 256 MiB.
bool ReadWavFile(const std::string& path, std::vector<uint8_t>& bytes);

} // namespace sound
