#include "sound/SampleConverter.h"

#include <cmath>

namespace {

// About 50 minutes at the output rate (256 MiB of samples): beyond that a file is no effect
// sound, and a tiny file claiming a very low rate must not grow without bound.
constexpr uint64_t kMaxOutputFrames = uint64_t{1} << 26;

// One sample as a signed 16-bit value: 8-bit samples are unsigned, wider ones keep their top
// 16 bits.
float SampleAt(const sound::WavSamples& wav, size_t frame, int channel) {
    const int bytes = wav.bitsPerSample / 8;
    const uint8_t* at = wav.samples + frame * static_cast<size_t>(wav.blockAlign) +
                        static_cast<size_t>(channel * bytes);
    if (bytes == 1) return static_cast<float>((at[0] - 128) * 256);
    const int16_t top = static_cast<int16_t>(at[bytes - 2] | at[bytes - 1] << 8);
    return static_cast<float>(top);
}

int16_t ToSample(float value) {
    return static_cast<int16_t>(std::lround(std::fmax(-32768.0f, std::fmin(32767.0f, value))));
}

} // namespace

bool sound::ConvertToOutput(const sound::WavSamples& wav, int outputRate,
                            std::vector<int16_t>& samples) {
    uint64_t outputFrames = uint64_t{wav.frameCount} * static_cast<uint64_t>(outputRate) /
                            static_cast<uint64_t>(wav.rate);
    if (outputFrames == 0) outputFrames = 1;
    if (wav.frameCount == 0 || outputFrames > kMaxOutputFrames) return false;

    samples.resize(static_cast<size_t>(outputFrames) * 2);
    const size_t lastFrame = wav.frameCount - 1;
    const double step = static_cast<double>(wav.rate) / outputRate;
    for (size_t i = 0; i < outputFrames; ++i) {
        const double position = static_cast<double>(i) * step;
        size_t frame = static_cast<size_t>(position);
        if (frame > lastFrame) frame = lastFrame;
        const size_t following = frame < lastFrame ? frame + 1 : lastFrame;
        const float weight = static_cast<float>(position - static_cast<double>(frame));
        for (int side = 0; side < 2; ++side) {
            const int channel = wav.channels == 2 ? side : 0;
            const float here = SampleAt(wav, frame, channel);
            const float next = SampleAt(wav, following, channel);
            samples[i * 2 + static_cast<size_t>(side)] = ToSample(here + (next - here) * weight);
        }
    }
    return true;
}
