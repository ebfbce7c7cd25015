#include "WavFiles.h"

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
}

} // namespace

std::string Pcm16(const std::vector<int16_t>& samples) {
    std::string bytes;
    for (int16_t sample : samples)
        PutLe(bytes, static_cast<uint16_t>(sample), 2);
    return bytes;
}

std::string MakeWav(const WavLayout& layout, const std::string& sampleBytes) {
    std::string out = "RIFF....WAVEfmt ";
    PutLe(out, layout.formatSize, 4);
    const auto blockAlign = static_cast<uint32_t>(layout.channels * layout.bitsPerSample / 8);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<uint32_t>(layout.channels), 2);
    PutLe(out, static_cast<uint32_t>(layout.rate), 4);
    PutLe(out, static_cast<uint32_t>(layout.rate) * blockAlign, 4);
    PutLe(out, blockAlign, 2);
    PutLe(out, static_cast<uint32_t>(layout.bitsPerSample), 2);
    out.append(layout.formatSize - 16, '\0');
    for (const std::string& tag : layout.chunksBefore)
        out += tag + std::string("\3\0\0\0abc\0", 8);
    if (layout.withData) {
        out += "data";
        PutLe(out, static_cast<uint32_t>(sampleBytes.size()) + layout.extraClaimedBytes, 4);
        out += sampleBytes;
    }
    std::string riffSize;
    PutLe(riffSize, static_cast<uint32_t>(out.size() - 8), 4);
    out.replace(4, 4, riffSize);
    return out;
}
