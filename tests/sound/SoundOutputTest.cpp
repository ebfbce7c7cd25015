// What the player hears: the real SDL2_mixer output on SDL's dummy driver, whose audio thread
// mixes a block every block's length of time. A tap on the output collects the mixed blocks,
// and each test looks at the stretch where its sound is heard. Where in the stream a sound
// starts depends on timing; its content and length do not.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "WavFiles.h"
#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "sound/SoundCommands.h"
#include "sound/SoundDevice.h"
#include "support/TestRuntime.h"

namespace {

using namespace std::chrono_literals;

// Interleaved stereo frames of the output.
struct Heard {
    std::vector<int16_t> samples;

    size_t Frames() const { return samples.size() / 2; }
    int16_t Left(size_t frame) const { return samples[frame * 2]; }
    int16_t Right(size_t frame) const { return samples[frame * 2 + 1]; }
    bool Silent(size_t frame) const { return Left(frame) == 0 && Right(frame) == 0; }
    // The first and one past the last frame that is not silent; both 0 when all is silent.
    size_t First() const {
        for (size_t frame = 0; frame < Frames(); ++frame)
            if (!Silent(frame)) return frame;
        return 0;
    }
    size_t End() const {
        for (size_t frame = Frames(); frame > 0; --frame)
            if (!Silent(frame - 1)) return frame;
        return 0;
    }
    int PeakLeft() const { return Peak(0); }
    int PeakRight() const { return Peak(1); }
    int Peak(int side) const {
        int peak = 0;
        for (size_t i = static_cast<size_t>(side); i < samples.size(); i += 2)
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        return peak;
    }
};

class SoundOutputTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        // Set here as well as by the test runner, so that a run by hand never reaches for a
        // real sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        HeadlessRuntimeTest::SetUp();
        ASSERT_TRUE(Rt().sound && Rt().sound->HasOutput()) << "the dummy audio driver should open";
        Rt().sound->Output().SetTap([this](const int16_t* samples, size_t frames) {
            std::lock_guard<std::mutex> lock(mutex_);
            heard_.insert(heard_.end(), samples, samples + frames * 2);
            ++blocks_;
            blockMixed_.notify_all();
        });
    }
    void TearDown() override {
        Rt().sound->Output().SetTap(nullptr);
        HeadlessRuntimeTest::TearDown();
    }

    // Waits until the output has mixed count more blocks; false after a generous time-out,
    // which only a stalled audio thread reaches.
    bool WaitForBlocks(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        const int target = blocks_ + count;
        return blockMixed_.wait_for(lock, 10s, [&] { return blocks_ >= target; });
    }
    void Forget() {
        std::lock_guard<std::mutex> lock(mutex_);
        heard_.clear();
    }
    // Waits until the channel has stopped and its last block has gone through the tap.
    Heard HearUntilStopped(double handle) {
        const auto giveUp = std::chrono::steady_clock::now() + 10s;
        while (IsSoundPlaying(handle) == 1.0 && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(5ms);
        EXPECT_EQ(IsSoundPlaying(handle), 0.0);
        EXPECT_TRUE(WaitForBlocks(2));
        std::lock_guard<std::mutex> lock(mutex_);
        return Heard{heard_};
    }
    Heard Hear(double slot, double pan, double volume) {
        WaitForBlocks(1);
        Forget();
        const double handle = PlaySound(slot, pan, volume);
        EXPECT_GE(handle, 0.0);
        return HearUntilStopped(handle);
    }

    std::string Load(const std::string& name, const WavLayout& layout,
                     const std::vector<uint8_t>& bytes, double slot, double copies = 1) {
        const std::string path = folder.Write(name, MakeWav(layout, bytes));
        EXPECT_EQ(LoadSound(path.c_str(), slot, copies), 1.0) << name;
        return path;
    }
    // A 16-bit mono tone at the output rate whose samples are never 0.
    void LoadTone(double slot, int frames, int16_t amplitude, double copies = 1) {
        std::vector<int16_t> samples(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i)
            samples[static_cast<size_t>(i)] =
                static_cast<int16_t>(i % 2 ? amplitude : amplitude / 2);
        Load("tone.wav", {}, Pcm16(samples), slot, copies);
    }

    TempFolder folder;

  private:
    std::mutex mutex_;
    std::condition_variable blockMixed_;
    std::vector<int16_t> heard_;
    int blocks_ = 0;
};

TEST_F(SoundOutputTest, FullPanSilencesTheOtherSide) {
    LoadTone(1, 3000, 20000);
    const Heard right = Hear(1, 1, 1);
    EXPECT_EQ(right.PeakLeft(), 0);
    EXPECT_EQ(right.PeakRight(), 20000);
    EXPECT_EQ(right.End() - right.First(), 3000u);

    const Heard left = Hear(1, -5, 1);
    EXPECT_EQ(left.PeakLeft(), 20000);
    EXPECT_EQ(left.PeakRight(), 0);

    // Half way to the right: the left side at -50 dB.
    const Heard half = Hear(1, 0.5, 1);
    EXPECT_EQ(half.PeakRight(), 20000);
    EXPECT_EQ(half.PeakLeft(), std::lround(20000 * std::pow(10.0, -2.5)));
}

TEST_F(SoundOutputTest, VolumeZeroIsSilentAndVolumeOneIsTenDecibelsAboveNineTenths) {
    LoadTone(2, 3000, 20000);
    const Heard full = Hear(2, 0, 1);
    const Heard softer = Hear(2, 0, 0.9);
    const Heard silent = Hear(2, 0, 0);
    EXPECT_EQ(full.PeakLeft(), 20000);
    EXPECT_EQ(full.PeakRight(), 20000);
    // Volume 0.9 is -1000 hundredths of a decibel: a gain of 10^-0.5. The peaks are rounded
    // to whole sample values.
    EXPECT_NEAR(static_cast<double>(full.PeakLeft()) / softer.PeakLeft(), std::sqrt(10.0), 1e-3);
    EXPECT_EQ(softer.PeakLeft(), softer.PeakRight());
    EXPECT_EQ(silent.PeakLeft(), 0);
    EXPECT_EQ(silent.PeakRight(), 0);
}

TEST_F(SoundOutputTest, FilesPlayAtTheirOwnRate) {
    // A fifth of a second each: 4410 frames at the output rate.
    WavLayout eightBitMono;
    eightBitMono.bitsPerSample = 8;
    eightBitMono.rate = 11025;
    Load("mono8.wav", eightBitMono, std::vector<uint8_t>(2205, 200), 3);
    const Heard mono = Hear(3, 0, 1);
    EXPECT_EQ(mono.End() - mono.First(), 4410u);
    EXPECT_EQ(mono.PeakLeft(), (200 - 128) * 256);
    EXPECT_EQ(mono.PeakRight(), (200 - 128) * 256);

    WavLayout stereo44;
    stereo44.channels = 2;
    stereo44.rate = 44100;
    std::vector<int16_t> samples;
    for (int frame = 0; frame < 8820; ++frame)
        samples.insert(samples.end(), {1000, -3000});
    Load("stereo44.wav", stereo44, Pcm16(samples), 4);
    const Heard stereo = Hear(4, 0, 1);
    EXPECT_EQ(stereo.End() - stereo.First(), 4410u);
    EXPECT_EQ(stereo.Left(stereo.First()), 1000);
    EXPECT_EQ(stereo.Right(stereo.First()), -3000);
}

TEST_F(SoundOutputTest, OneCopyFootstepPlayedEveryFrameRunsOnWithoutRestarting) {
    // A ramp, so that a restart anywhere would show as the ramp beginning again.
    // Half a second long, so it surely still plays when the next frame asks for it again.
    const int frames = 11025;
    std::vector<int16_t> ramp(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        ramp[static_cast<size_t>(i)] = static_cast<int16_t>(i * 2 + 1);
    Load("step.wav", {}, Pcm16(ramp), 5);

    WaitForBlocks(1);
    Forget();
    const double handle = PlaySound(5, 0, 1);
    ASSERT_EQ(handle, 5 * 256);
    EXPECT_EQ(PlaySound(5, 0, 1), -1.0);
    while (IsSoundPlaying(handle) == 1.0) {
        PlaySound(5, 0, 1);
        PresentFrame();
        std::this_thread::sleep_for(2ms);
    }
    // Whatever the last call started after the footstep ended is not part of this check.
    StopAllSounds();
    const Heard heard = HearUntilStopped(handle);
    ASSERT_GE(heard.Frames(), heard.First() + frames);
    for (int i = 0; i < frames; ++i) {
        ASSERT_EQ(heard.Left(heard.First() + static_cast<size_t>(i)), ramp[static_cast<size_t>(i)])
            << "frame " << i;
    }
}

TEST_F(SoundOutputTest, CopiesOfOneSlotOverlap) {
    LoadTone(6, 3000, 10000, 2);
    WaitForBlocks(1);
    Forget();
    const double first = PlaySound(6, 0, 1);
    const double second = PlaySound(6, 0, 1);
    EXPECT_EQ(first, 6 * 256);
    EXPECT_EQ(second, 6 * 256 + 1);
    HearUntilStopped(first);
    const Heard heard = HearUntilStopped(second);
    // Wherever each copy starts, both are heard whole: the output adds up to twice the tone
    // (no sample comes near the clipping limit).
    long long sum = 0;
    for (size_t frame = 0; frame < heard.Frames(); ++frame)
        sum += heard.Left(frame);
    EXPECT_EQ(sum, 2 * 1500 * (10000 + 5000));
}

class SoundWithoutAudioDriverTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        savedDriver_ = driver ? driver : "";
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        HeadlessRuntimeTest::SetUp();
    }
    void TearDown() override {
        HeadlessRuntimeTest::TearDown();
        setenv("SDL_AUDIODRIVER", savedDriver_.c_str(), 1);
    }

  private:
    std::string savedDriver_;
};

TEST_F(SoundWithoutAudioDriverTest, TheProgramRunsSilently) {
    TempFolder folder;
    const std::string path = folder.Write("tone.wav", MakeWav({}, Pcm16({1, 2, 3})));
    EXPECT_FALSE(Rt().sound->HasOutput());
    EXPECT_EQ(LoadSound(path.c_str(), 1, 1), 0.0);
    EXPECT_EQ(PlaySound(1, 0, 1), -1.0);
    EXPECT_EQ(IsSoundPlaying(256), 0.0);
    StopAllSounds();
    PresentFrame();
}

} // namespace
