#include "WavFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "files/LittleEndian.h"

namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples)
        AppendLe16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

std::vector<uint8_t> MakeWav(const WavLayout& layout, const std::vector<uint8_t>& sampleBytes) {
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    AppendLe32(out, 0); // filled in below
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    AppendLe32(out, layout.formatSize);
    const uint32_t blockAlign = static_cast<uint32_t>(layout.channels * layout.bitsPerSample / 8);
    AppendLe16(out, 1);
    AppendLe16(out, static_cast<uint32_t>(layout.channels));
    AppendLe32(out, static_cast<uint32_t>(layout.rate));
    AppendLe32(out, static_cast<uint32_t>(layout.rate) * blockAlign);
    AppendLe16(out, blockAlign);
    AppendLe16(out, static_cast<uint32_t>(layout.bitsPerSample));
    out.resize(out.size() + layout.formatSize - 16, 0);
    for (const std::string& tag : layout.chunksBefore) {
        PutTag(out, tag.c_str());
        AppendLe32(out, 3);
        out.insert(out.end(), {'a', 'b', 'c', 0});
    }
    if (layout.withData) {
        PutTag(out, "data");
        AppendLe32(out, static_cast<uint32_t>(sampleBytes.size()) + layout.extraClaimedBytes);
        out.insert(out.end(), sampleBytes.begin(), sampleBytes.end());
    }
    const uint32_t riffSize = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    return out;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornic-sound-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = path_ + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}
