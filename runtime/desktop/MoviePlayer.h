// Plays a decoded movie in the game window: each picture when the sound track (or, without
// one, the clock) reaches its time, scaled to fit the window and centred.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "desktop/MovieDecoder.h"

class MovieScreen;
class OpenGLRainbows;
namespace os {
class AudioOutput;
class Clock;
} // namespace os

namespace desktop {

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};
// A picture grown or shrunk to fit the screen, keeping its proportions, truncated to whole
// pixels and centred (integer halves of the free space).
Placement FitCentred(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

class MoviePlayer {
  public:
    // The clock paces the pictures where the movie has no sound; sound may be null: the movie
    // then plays silently.
    MoviePlayer(OpenGLRainbows& device, os::Clock& clock, os::AudioOutput* sound);
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // False when the file cannot be decoded; nothing is shown then.
    bool Open(const std::string& path);
    // Draws the picture that is due into the back buffer (DrewPicture then says so). False once
    // the movie is over (at its end without loop, or on a decoding error); with loop it starts
    // again from the beginning.
    bool Step(bool loop);
    bool DrewPicture() const { return drewPicture_; }
    const Placement& Where() const { return placement_; }

  private:
    double Seconds();
    bool Restart();

    OpenGLRainbows& device_;
    os::Clock& clock_;
    os::AudioOutput* sound_;
    MovieDecoder decoder_;
    std::unique_ptr<MovieScreen> screen_;
    Placement placement_;
    VideoFrame next_, shown_;
    bool haveNext_ = false;
    bool drewPicture_ = false;
    // The clock: sound frames played, and the wall time when they last moved.
    std::atomic<size_t> soundPlayed_{0};
    size_t soundSeen_ = 0;
    double startMs_ = 0.0, soundMovedMs_ = 0.0;
};

} // namespace desktop
