#include "sound/SoundDevice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sound/SampleConverter.h"
#include "sound/WavReader.h"

namespace {

// Hundredths of a decibel as a gain factor: 0 is 1, -10000 is 10^-5, below what 16-bit
// samples can carry, so silent.
float GainOf(int hundredthsOfDecibel) {
    return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

} // namespace

SoundDevice::SoundDevice(std::unique_ptr<os::AudioOutput> output) : output_(std::move(output)) {}

SoundDevice::~SoundDevice() {
    // Every chunk goes before the output that plays it.
    ReleaseSlots();
    output_->Close();
}

bool SoundDevice::Start() {
    return output_->Open(kSlotCount * SoundSlot::kMaxCopies);
}

void SoundDevice::Empty(int slot) {
    SoundSlot& sound = slots_[static_cast<size_t>(slot)];
    for (int copy = 0; copy < sound.copyCount; ++copy)
        output_->Stop(Channel(slot, copy));
    sound.samples.reset();
    sound.copyCount = 0;
    sound.nextCopy = 0;
}

std::unique_ptr<os::AudioChunk> SoundDevice::ReadChunk(const std::string& path, std::string& why) {
    if (!output_->IsOpen()) {
        why = "no sound output";
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    sound::WavSamples wav;
    std::vector<int16_t> samples;
    if (!sound::ReadWavFile(path, bytes)) {
        why = "cannot be read";
        return nullptr;
    }
    if (!sound::ParseWav(bytes.data(), bytes.size(), wav) ||
        !sound::ConvertToOutput(wav, os::kAudioRate, samples)) {
        why = "not a playable WAV sound";
        return nullptr;
    }
    std::unique_ptr<os::AudioChunk> chunk = output_->CreateChunk(std::move(samples));
    if (!chunk) why = "no sound output";
    return chunk;
}

bool SoundDevice::Load(const std::string& path, int slot, int copies, std::string* why) {
    std::string reason = "no such slot";
    if (slot >= 0 && slot < kSlotCount) {
        Empty(slot);
        SoundSlot& sound = slots_[static_cast<size_t>(slot)];
        sound.samples = ReadChunk(path, reason);
        if (sound.samples) {
            sound.copyCount = std::clamp(copies, 1, SoundSlot::kMaxCopies);
            return true;
        }
    }
    if (why) *why = reason;
    return false;
}

std::string SoundDevice::Reload(const std::string& path, int slot) {
    if (slot < 0 || slot >= kSlotCount) return "no such slot";
    std::string why;
    std::unique_ptr<os::AudioChunk> chunk = ReadChunk(path, why);
    if (!chunk) return why;
    SoundSlot& sound = slots_[static_cast<size_t>(slot)];
    const int copies = std::max(sound.copyCount, 1);
    Empty(slot);
    sound.samples = std::move(chunk);
    sound.copyCount = copies;
    return "";
}

int SoundDevice::Play(int slot, int pan, int volume) {
    if (slot < 0 || slot >= kSlotCount || !output_->IsOpen()) return -1;
    SoundSlot& sound = slots_[static_cast<size_t>(slot)];
    if (sound.copyCount == 0) return -1;

    // A one-copy sound that still plays runs on untouched: a sound triggered every frame (a
    // footstep) must not restart. With more copies the next one is taken, and when even that
    // one still plays it is the oldest and gets cut off.
    if (output_->IsPlaying(Channel(slot, sound.nextCopy))) {
        if (sound.copyCount == 1) return -1;
        sound.nextCopy = (sound.nextCopy + 1) % sound.copyCount;
    }
    const int copy = sound.nextCopy;

    float left = GainOf(volume);
    float right = left;
    if (pan > 0) left *= GainOf(-pan);
    if (pan < 0) right *= GainOf(pan);
    return output_->Play(Channel(slot, copy), *sound.samples, left, right) ? copy : -1;
}

bool SoundDevice::IsPlaying(int slot, int copy) const {
    if (slot < 0 || slot >= kSlotCount) return false;
    const SoundSlot& sound = slots_[static_cast<size_t>(slot)];
    if (copy < 0 || copy >= sound.copyCount) return false;
    return output_->IsPlaying(Channel(slot, copy));
}

void SoundDevice::StopAll() {
    for (int slot = 0; slot <= kLastCommandSlot; ++slot) {
        const SoundSlot& sound = slots_[static_cast<size_t>(slot)];
        for (int copy = 0; copy < sound.copyCount; ++copy)
            output_->Stop(Channel(slot, copy));
    }
}

void SoundDevice::ReleaseSlots() {
    for (int slot = kSlotCount - 1; slot >= 0; --slot)
        Empty(slot);
}
