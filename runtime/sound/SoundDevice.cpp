#include "sound/SoundDevice.h"

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

bool SoundDevice::Load(const std::string& path, int slot, int copies, std::string* why) {
    auto fail = [why](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (slot < 0 || slot >= kSlotCount) return fail("no such slot");
    Empty(slot);
    if (!output_->IsOpen()) return fail("no sound output");

    std::vector<uint8_t> bytes;
    sound::WavSamples wav;
    std::vector<int16_t> samples;
    if (!sound::ReadWavFile(path, bytes)) return fail("cannot be read");
    if (!sound::ParseWav(bytes.data(), bytes.size(), wav) ||
        !sound::ConvertToOutput(wav, os::kAudioRate, samples))
        return fail("not a playable WAV sound");
    SoundSlot& sound = slots_[static_cast<size_t>(slot)];
    sound.samples = output_->CreateChunk(std::move(samples));
    if (!sound.samples) return fail("no sound output");
    sound.copyCount = copies < 1                       ? 1
                      : copies > SoundSlot::kMaxCopies ? SoundSlot::kMaxCopies
                                                       : copies;
    return true;
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
