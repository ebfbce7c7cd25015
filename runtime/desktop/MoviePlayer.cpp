#include "desktop/MoviePlayer.h"

#include <algorithm>

#include "gfx2d/MovieScreen.h"
#include "gl/OpenGLRainbows.h"
#include "os/Audio.h"
#include "os/Clock.h"

namespace desktop {

Placement FitCentred(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
    Placement placement;
    if (pictureWidth <= 0 || pictureHeight <= 0) return placement;
    const double scale = std::min(static_cast<double>(screenWidth) / pictureWidth,
                                  static_cast<double>(screenHeight) / pictureHeight);
    placement.width = static_cast<int>(pictureWidth * scale);
    placement.height = static_cast<int>(pictureHeight * scale);
    placement.x = (screenWidth - placement.width) / 2;
    placement.y = (screenHeight - placement.height) / 2;
    return placement;
}

MoviePlayer::MoviePlayer(OpenGLRainbows& device, os::Clock& clock, os::AudioOutput* sound)
    : device_(device), clock_(clock), sound_(sound) {}

MoviePlayer::~MoviePlayer() {
    if (sound_) sound_->StopStream();
}

bool MoviePlayer::Open(const std::string& path) {
    if (!decoder_.Open(path)) return false;
    placement_ =
        FitCentred(decoder_.Width(), decoder_.Height(), device_.screenWidth, device_.screenHeight);
    screen_ = std::make_unique<MovieScreen>(device_, decoder_.Width(), decoder_.Height());
    if (sound_ && decoder_.HasSound())
        sound_->PlayStream([this](int16_t* samples, size_t frames) {
            const size_t taken = decoder_.TakeSound(samples, frames);
            soundPlayed_ += taken;
            return taken;
        });
    return Restart();
}

bool MoviePlayer::Restart() {
    startMs_ = soundMovedMs_ = clock_.NowMs();
    soundPlayed_ = 0;
    soundSeen_ = 0;
    haveNext_ = decoder_.NextFrame(next_);
    return haveNext_;
}

// The sound track is the clock while it plays; when it has nothing queued (none in the file,
// not decoded yet, or over) the wall clock carries on from where the sound was.
double MoviePlayer::Seconds() {
    const double now = clock_.NowMs();
    const size_t played = soundPlayed_;
    if (played != soundSeen_) {
        soundSeen_ = played;
        soundMovedMs_ = now;
    }
    if (played == 0) return (now - startMs_) / 1000.0;
    const double soundSeconds = static_cast<double>(played) / os::kAudioRate;
    return decoder_.SoundQueued() ? soundSeconds : soundSeconds + (now - soundMovedMs_) / 1000.0;
}

bool MoviePlayer::Step(bool loop) {
    if (!haveNext_) return false;
    const double now = Seconds();
    // Of the pictures that are due only the last is shown: a slow machine skips pictures
    // rather than falling behind the sound.
    bool due = false;
    while (haveNext_ && next_.seconds <= now) {
        std::swap(shown_, next_);
        due = true;
        haveNext_ = decoder_.NextFrame(next_);
    }
    if (due)
        screen_->Show(shown_.rgba.data(), placement_.x, placement_.y, placement_.width,
                      placement_.height);
    drewPicture_ = due;
    if (!haveNext_ && loop) return decoder_.Rewind() && Restart();
    return haveNext_;
}

} // namespace desktop
