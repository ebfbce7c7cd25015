// The audio output behind the platform seam: a mixer with numbered channels that plays
// prepared blocks of samples once, each with its own left and right gain. One implementation
// drives SDL2_mixer; a headless one records what it was asked to do, for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace os {

// The one format the output runs in: interleaved signed 16-bit stereo frames.
constexpr int kAudioRate = 22050;
constexpr int kAudioChannels = 2;

// Samples already in the output format, ready to be played on any number of channels at
// once. Owned by the caller; it must outlive every channel playing it.
class AudioChunk {
  public:
    virtual ~AudioChunk() = default;
    virtual size_t FrameCount() const = 0;
};

// Sees every block the output mixes, as interleaved stereo frames, on the audio thread.
using AudioTap = std::function<void(const int16_t* samples, size_t frameCount)>;
// Fills up to frameCount interleaved stereo frames on the audio thread and gives how many it
// wrote; the rest of the block stays silent.
using AudioSource = std::function<size_t(int16_t* samples, size_t frameCount)>;

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;

    // Opens the default output device in the output format with the given number of mixer
    // channels. False when there is no device; the output then stays closed.
    virtual bool Open(int channelCount) = 0;
    // Stops every channel and closes the device. Safe when it was never opened.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Takes interleaved stereo frames into a chunk; null when the output is closed.
    virtual std::unique_ptr<AudioChunk> CreateChunk(std::vector<int16_t> samples) = 0;
    // Starts the chunk from its beginning on the channel, once, with gains of 0..1 applied to
    // the left and right samples; whatever the channel played is cut off. False on failure.
    virtual bool Play(int channel, const AudioChunk& chunk, float leftGain, float rightGain) = 0;
    // Stops the channel; the next Play starts from the beginning again.
    virtual void Stop(int channel) = 0;
    virtual bool IsPlaying(int channel) const = 0;

    // Background music from a whole encoded file (whatever formats the mixer decodes), played
    // over and over until StopMusic; it replaces the music before. False when the file cannot
    // be decoded: then nothing plays.
    virtual bool PlayMusic(std::string file) = 0;
    // The music's loudness, 0 (silent) .. 1 (as recorded).
    virtual void SetMusicVolume(float volume) = 0;
    virtual void StopMusic() = 0;
    // Mixes the source's frames into the output until StopStream (a movie's sound track); one
    // stream at a time.
    virtual void PlayStream(AudioSource source) = 0;
    virtual void StopStream() = 0;

    // Hands every mixed block to tap (an empty function removes it). Lets tests and recorders
    // hear what the player hears.
    virtual void SetTap(AudioTap tap) = 0;
};

// The SDL2_mixer output.
std::unique_ptr<AudioOutput> CreateSdlAudio();

} // namespace os
