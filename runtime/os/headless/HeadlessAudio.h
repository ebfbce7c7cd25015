// An audio output without a device: it remembers what each channel was asked to play, and a
// channel plays until the test lets it finish. Lets the slot and copy logic be tested
// exactly, with no audio thread and no timing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "os/Audio.h"

namespace os {

class HeadlessAudio : public AudioOutput {
  public:
    struct Channel {
        const AudioChunk* chunk = nullptr;
        bool playing = false;
        float leftGain = 0.0f;
        float rightGain = 0.0f;
    };

    bool Open(int channelCount) override;
    void Close() override;
    bool IsOpen() const override { return open; }

    std::unique_ptr<AudioChunk> CreateChunk(std::vector<int16_t> samples) override;
    bool Play(int channel, const AudioChunk& chunk, float leftGain, float rightGain) override;
    void Stop(int channel) override;
    bool IsPlaying(int channel) const override;
    void SetTap(AudioTap) override {}
    bool PlayMusic(std::string file) override;
    void SetMusicVolume(float volume) override { musicVolume = volume; }
    void StopMusic() override { music.clear(); }
    void PlayStream(AudioSource source) override { stream = std::move(source); }
    void StopStream() override { stream = nullptr; }

    // Ends what the channel plays, as if its sound had run out.
    void Finish(int channel);

    // What the test sees and controls.
    bool deviceAvailable = true;
    bool open = false;
    std::vector<Channel> channels;
    // "play N" and "stop N" for each start and each stop of a playing channel, in order.
    std::vector<std::string> calls;
    // The frames of the last chunk created.
    std::vector<int16_t> lastChunkSamples;
    // The file of the music that plays (empty when none) and its volume.
    std::string music;
    float musicVolume = 1.0f;
    // The stream being mixed in; a test pulls its frames.
    AudioSource stream;
};

} // namespace os
