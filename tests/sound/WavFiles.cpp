#include "sound/WavFiles.h"

namespace {

// Little-endian fields of 16 or 32 bits.
std::string Le(uint32_t value, int bytes = 4) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

} // namespace

std::string Pcm16(const std::vector<int16_t>& samples) {
    std::string bytes;
    for (int16_t sample : samples)
        bytes += Le(static_cast<uint16_t>(sample), 2);
    return bytes;
}

std::string MakeWav(const WavLayout& w, const std::string& sampleBytes) {
    const auto block = static_cast<uint32_t>(w.channels * w.bitsPerSample / 8);
    std::string out = "WAVEfmt " + Le(w.formatSize) + Le(1, 2) + Le(w.channels, 2) + Le(w.rate) +
                      Le(w.rate * block) + Le(block, 2) + Le(w.bitsPerSample, 2) +
                      std::string(w.formatSize - 16, '\0');
    for (const std::string& tag : w.chunksBefore)
        out += tag + std::string("\3\0\0\0abc\0", 8);
    if (w.withData) out += "data" + Le(sampleBytes.size() + w.extraClaimedBytes) + sampleBytes;
    return "RIFF" + Le(out.size()) + out;
}
