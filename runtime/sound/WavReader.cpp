#include "sound/WavReader.h"

#include <cstdio>
#include <cstring>

#include "files/FilePaths.h"
#include "files/LittleEndian.h"

namespace {

// Everything up to the bits per sample: RIFF head, format chunk head, 16 bytes of format.
constexpr size_t kHeadSize = 36;
constexpr size_t kFormatChunkStart = 12;
constexpr size_t kChunkHeadSize = 8;
constexpr uint32_t kFormatFieldsSize = 16;
// The rates a sound buffer accepts.
constexpr int kMinRate = 100;
constexpr int kMaxRate = 200000;

bool IsPlayableFormat(const sound::WavSamples& wav) {
    const bool knownBits = wav.bitsPerSample == 8 || wav.bitsPerSample == 16 ||
                           wav.bitsPerSample == 24 || wav.bitsPerSample == 32;
    return knownBits && wav.rate >= kMinRate && wav.rate <= kMaxRate &&
           wav.blockAlign == wav.channels * wav.bitsPerSample / 8;
}

} // namespace

bool sound::ParseWav(const uint8_t* bytes, size_t size, sound::WavSamples& wav) {
    if (size < kHeadSize) return false;
    const uint8_t* format = bytes + kFormatChunkStart + kChunkHeadSize;
    // The "RIFF", "WAVE" and "fmt " tags and the format code are taken on trust, as files
    // from all sorts of tools get them wrong; what matters is that the fields below fit.
    const uint32_t formatSize = files::ReadLe32(bytes + kFormatChunkStart + 4);
    if (formatSize < kFormatFieldsSize) return false;
    wav.channels = files::ReadLe16(format + 2) > 1 ? 2 : 1;
    const uint32_t rate = files::ReadLe32(format + 4);
    wav.rate = rate > static_cast<uint32_t>(kMaxRate) ? 0 : static_cast<int>(rate);
    wav.blockAlign = files::ReadLe16(format + 12);
    wav.bitsPerSample = files::ReadLe16(format + 14);
    if (!IsPlayableFormat(wav)) return false;

    // A longer format chunk (the common 18 bytes, or an extensible one) is skipped whole, then
    // every chunk that is not "data" ("fact", "LIST", ...). Chunks of odd length carry a pad
    // byte.
    uint64_t position =
        kFormatChunkStart + kChunkHeadSize + uint64_t{formatSize} + (formatSize & 1);
    while (position + kChunkHeadSize <= size) {
        const uint8_t* head = bytes + position;
        const uint32_t length = files::ReadLe32(head + 4);
        position += kChunkHeadSize;
        if (std::memcmp(head, "data", 4) == 0) {
            // A data chunk that claims more than the file holds is cut to what is there.
            const uint64_t available = size - position;
            const uint64_t dataSize = length < available ? length : available;
            wav.samples = bytes + position;
            wav.frameCount = static_cast<size_t>(dataSize / static_cast<uint64_t>(wav.blockAlign));
            return wav.frameCount > 0;
        }
        position += uint64_t{length} + (length & 1);
    }
    return false;
}

// About 25 minutes of CD-quality stereo: more is no sound of a game.
constexpr uint64_t kLargestWavFile = uint64_t{256} << 20;

bool sound::ReadWavFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return files::ReadRegularFile(path, bytes, kLargestWavFile);
}
