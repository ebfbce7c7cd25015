#include "os/sdl/SdlAudio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace os {

namespace {

// Frames per mixed block: about 23 ms at the output rate, short enough for effects that must
// sound with the frame that triggered them.
constexpr int kBlockFrames = 512;

class SdlChunk : public AudioChunk {
  public:
    explicit SdlChunk(std::vector<int16_t> samples) : samples_(std::move(samples)) {
        // The chunk only points at the samples; Mix_FreeChunk leaves them to this object and
        // halts every channel still playing them first.
        chunk_ = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples_.data()),
                                   static_cast<Uint32>(samples_.size() * sizeof(int16_t)));
    }
    ~SdlChunk() override {
        if (chunk_) Mix_FreeChunk(chunk_);
    }
    size_t FrameCount() const override { return samples_.size() / kAudioChannels; }
    Mix_Chunk* Get() const { return chunk_; }

  private:
    std::vector<int16_t> samples_;
    Mix_Chunk* chunk_ = nullptr;
};

int16_t Scale(int16_t sample, float gain) {
    return static_cast<int16_t>(std::lround(static_cast<float>(sample) * gain));
}

// Runs on the audio thread over the channel's samples before they are mixed in.
void ApplyGains(int, void* stream, int length, void* userData) {
    const auto* gains = static_cast<const SdlAudio::Gains*>(userData);
    auto* samples = static_cast<int16_t*>(stream);
    const int count = length / static_cast<int>(sizeof(int16_t));
    for (int i = 0; i + 1 < count; i += 2) {
        samples[i] = Scale(samples[i], gains->left);
        samples[i + 1] = Scale(samples[i + 1], gains->right);
    }
}

} // namespace

SdlAudio::~SdlAudio() {
    Close();
}

bool SdlAudio::Open(int channelCount) {
    if (open_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // No changes allowed: SDL converts to whatever the hardware wants, so the chunks prepared
    // at the output rate always play at their own speed.
    if (Mix_OpenAudioDevice(kAudioRate, AUDIO_S16SYS, kAudioChannels, kBlockFrames, nullptr, 0) !=
        0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (Mix_AllocateChannels(channelCount) != channelCount) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    gains_.assign(static_cast<size_t>(channelCount), Gains{});
    Mix_SetPostMix(&SdlAudio::PostMix, this);
    open_ = true;
    return true;
}

void SdlAudio::Close() {
    if (!open_) return;
    StopStream();
    StopMusic();
    Mix_HaltChannel(-1);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

std::unique_ptr<AudioChunk> SdlAudio::CreateChunk(std::vector<int16_t> samples) {
    if (!open_ || samples.empty()) return nullptr;
    auto chunk = std::make_unique<SdlChunk>(std::move(samples));
    if (!chunk->Get()) return nullptr;
    return chunk;
}

bool SdlAudio::Play(int channel, const AudioChunk& chunk, float leftGain, float rightGain) {
    if (!open_ || channel < 0 || channel >= static_cast<int>(gains_.size())) return false;
    // The gains effect goes on while the channel is halted, so not even the first block of the
    // new sound is mixed without it. Ending the channel also drops its old effect.
    Mix_HaltChannel(channel);
    Mix_UnregisterAllEffects(channel);
    Mix_Volume(channel, MIX_MAX_VOLUME);
    Gains& gains = gains_[static_cast<size_t>(channel)];
    gains.left = leftGain;
    gains.right = rightGain;
    if (leftGain != 1.0f || rightGain != 1.0f)
        Mix_RegisterEffect(channel, &ApplyGains, nullptr, &gains);
    return Mix_PlayChannel(channel, static_cast<const SdlChunk&>(chunk).Get(), 0) == channel;
}

void SdlAudio::Stop(int channel) {
    if (open_ && channel >= 0 && channel < static_cast<int>(gains_.size()))
        Mix_HaltChannel(channel);
}

bool SdlAudio::IsPlaying(int channel) const {
    if (!open_ || channel < 0 || channel >= static_cast<int>(gains_.size())) return false;
    return Mix_Playing(channel) != 0;
}

void SdlAudio::SetTap(AudioTap tap) {
    std::lock_guard<std::mutex> lock(tapMutex_);
    tap_ = std::move(tap);
}

bool SdlAudio::PlayMusic(std::string file) {
    StopMusic();
    if (!open_ || file.empty()) return false;
    musicFile_ = std::move(file);
    SDL_RWops* bytes = SDL_RWFromConstMem(musicFile_.data(), static_cast<int>(musicFile_.size()));
    music_ = bytes ? Mix_LoadMUS_RW(bytes, 1) : nullptr;
    if (!music_ || Mix_PlayMusic(music_, -1) != 0) {
        StopMusic();
        return false;
    }
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    return true;
}

void SdlAudio::SetMusicVolume(float volume) {
    if (open_) Mix_VolumeMusic(static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)));
}

void SdlAudio::StopMusic() {
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
    }
    musicFile_.clear();
}

void SdlAudio::PlayStream(AudioSource source) {
    std::lock_guard<std::mutex> lock(tapMutex_);
    stream_ = std::move(source);
}

void SdlAudio::StopStream() {
    std::lock_guard<std::mutex> lock(tapMutex_);
    stream_ = nullptr;
}

void SdlAudio::PostMix(void* self, unsigned char* stream, int length) {
    auto* audio = static_cast<SdlAudio*>(self);
    std::lock_guard<std::mutex> lock(audio->tapMutex_);
    auto* mixed = reinterpret_cast<int16_t*>(stream);
    const size_t frames = static_cast<size_t>(length) / (sizeof(int16_t) * kAudioChannels);
    if (audio->stream_) {
        // The stream is added to what the channels and the music mixed, clipped to 16 bits.
        std::vector<int16_t>& block = audio->streamBlock_;
        block.assign(frames * kAudioChannels, 0);
        const size_t got = std::min(frames, audio->stream_(block.data(), frames));
        for (size_t i = 0; i < got * kAudioChannels; ++i)
            mixed[i] = static_cast<int16_t>(std::clamp(mixed[i] + block[i], -32768, 32767));
    }
    if (audio->tap_)
        audio->tap_(reinterpret_cast<const int16_t*>(stream),
                    static_cast<size_t>(length) / (sizeof(int16_t) * kAudioChannels));
}

std::unique_ptr<AudioOutput> CreateSdlAudio() {
    return std::make_unique<SdlAudio>();
}

} // namespace os
