// WAV files in the forms tools write, for the sound tests: 16- or 18-byte format chunks, chunks
// before the samples, cut-off or missing data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavLayout {
    int channels = 1;
    int rate = 22050;
    int bitsPerSample = 16;
    uint32_t formatSize = 16;              // 18 adds the extension size field
    std::vector<std::string> chunksBefore; // tags of chunks put before "data"
    bool withData = true;
    uint32_t extraClaimedBytes = 0; // the data chunk claims this much more than it holds
};

// The little-endian bytes of 16-bit samples.
std::string Pcm16(const std::vector<int16_t>& samples);
// A whole WAV file: head, format, the extra chunks (each 3 bytes long and padded), the data.
std::string MakeWav(const WavLayout& layout, const std::string& sampleBytes);
