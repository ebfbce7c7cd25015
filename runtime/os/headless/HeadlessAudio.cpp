#include "os/headless/HeadlessAudio.h"

namespace os {

namespace {

class HeadlessChunk : public AudioChunk {
  public:
    explicit HeadlessChunk(size_t frameCount) : frameCount_(frameCount) {}
    size_t FrameCount() const override { return frameCount_; }

  private:
    size_t frameCount_;
};

} // namespace

bool HeadlessAudio::Open(int channelCount) {
    if (!deviceAvailable) return false;
    channels.assign(static_cast<size_t>(channelCount), Channel{});
    open = true;
    return true;
}

void HeadlessAudio::Close() {
    channels.clear();
    open = false;
}

std::unique_ptr<AudioChunk> HeadlessAudio::CreateChunk(std::vector<int16_t> samples) {
    if (!open || samples.empty()) return nullptr;
    lastChunkSamples = std::move(samples);
    return std::make_unique<HeadlessChunk>(lastChunkSamples.size() / kAudioChannels);
}

bool HeadlessAudio::Play(int channel, const AudioChunk& chunk, float leftGain, float rightGain) {
    if (!open || channel < 0 || channel >= static_cast<int>(channels.size())) return false;
    Stop(channel);
    channels[static_cast<size_t>(channel)] = Channel{&chunk, true, leftGain, rightGain};
    calls.push_back("play " + std::to_string(channel));
    return true;
}

void HeadlessAudio::Stop(int channel) {
    if (!IsPlaying(channel)) return;
    channels[static_cast<size_t>(channel)].playing = false;
    calls.push_back("stop " + std::to_string(channel));
}

bool HeadlessAudio::IsPlaying(int channel) const {
    return channel >= 0 && channel < static_cast<int>(channels.size()) &&
           channels[static_cast<size_t>(channel)].playing;
}

bool HeadlessAudio::PlayMusic(std::string file) {
    music.clear();
    if (!open || file.empty()) return false;
    music = std::move(file);
    musicVolume = 1.0f;
    return true;
}

void HeadlessAudio::Finish(int channel) {
    if (IsPlaying(channel)) channels[static_cast<size_t>(channel)].playing = false;
}

} // namespace os
