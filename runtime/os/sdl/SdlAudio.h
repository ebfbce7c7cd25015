// The audio output on SDL2_mixer: one mixer channel per sound copy, gains applied by an effect
// on the channel so that one chunk can play at different volumes and pans at once.
#pragma once

#include <mutex>
#include <vector>

#include "os/Audio.h"

struct _Mix_Music;
typedef struct _Mix_Music Mix_Music;

namespace os {

class SdlAudio : public AudioOutput {
  public:
    ~SdlAudio() override;

    bool Open(int channelCount) override;
    void Close() override;
    bool IsOpen() const override { return open_; }

    std::unique_ptr<AudioChunk> CreateChunk(std::vector<int16_t> samples) override;
    bool Play(int channel, const AudioChunk& chunk, float leftGain, float rightGain) override;
    void Stop(int channel) override;
    bool IsPlaying(int channel) const override;

    void SetTap(AudioTap tap) override;
    bool PlayMusic(std::string file) override;
    void SetMusicVolume(float volume) override;
    void StopMusic() override;
    void PlayStream(AudioSource source) override;
    void StopStream() override;

    struct Gains {
        float left = 1.0f;
        float right = 1.0f;
    };

  private:
    static void PostMix(void* self, unsigned char* stream, int length);

    bool open_ = false;
    // One entry per mixer channel, read by the channel's effect on the audio thread.
    std::vector<Gains> gains_;
    // The music and the file it decodes from, which the mixer reads while it plays.
    Mix_Music* music_ = nullptr;
    std::string musicFile_;
    // Guards the tap and the stream, both used on the audio thread.
    std::mutex tapMutex_;
    AudioTap tap_;
    AudioSource stream_;
    std::vector<int16_t> streamBlock_;
};

} // namespace os
