// Decoding a movie file with FFmpeg: its pictures as RGBA frames with their times, its sound
// track converted to the audio output's format.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace desktop {

struct VideoFrame {
    std::vector<uint8_t> rgba; // width * height * 4 bytes, top row first
    double seconds = 0.0;      // when it is shown, from the start of the movie
};

class MovieDecoder {
  public:
    MovieDecoder();
    ~MovieDecoder();
    MovieDecoder(const MovieDecoder&) = delete;
    MovieDecoder& operator=(const MovieDecoder&) = delete;

    // False when the file cannot be opened or holds no picture that can be decoded.
    bool Open(const std::string& path);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool HasSound() const;

    // Decodes up to the next picture (sound on the way goes to the sound queue). False at the
    // end of the file or on a decoding error.
    bool NextFrame(VideoFrame& frame);
    // Back to the start, for another pass; false when the file cannot seek.
    bool Rewind();

    // Takes up to frameCount interleaved stereo frames of sound; safe on the audio thread.
    size_t TakeSound(int16_t* samples, size_t frameCount);
    // Sound frames waiting to be taken.
    size_t SoundQueued();

  private:
    struct Streams;
    bool DecodeVideoPacket(VideoFrame& frame, bool& gotFrame);
    void DecodeSoundPacket();
    void ConvertPicture(VideoFrame& frame);

    std::unique_ptr<Streams> streams_;
    int width_ = 0, height_ = 0;
    std::mutex soundMutex_;
    std::deque<int16_t> sound_;
};

} // namespace desktop
