// The slot and copy logic and the WAV reading, on the headless audio output: it records each
// start and stop of a channel and lets a sound play until the test finishes it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppCommands.h"
#include "os/headless/HeadlessAudio.h"
#include "sound/SoundCommands.h"
#include "sound/WavFiles.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

class SoundSlotsTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        os::SetAudioFactory([this] {
            auto output = std::make_unique<os::HeadlessAudio>();
            audio = output.get();
            return output;
        });
        HeadlessRuntimeTest::SetUp();
    }
    void TearDown() override {
        HeadlessRuntimeTest::TearDown();
        os::SetAudioFactory(nullptr);
    }
    // A short 16-bit mono file at the output rate.
    std::string ShortSound() { return folder.Write("short.wav", MakeWav({}, Pcm16({100, -300}))); }

    os::HeadlessAudio* audio = nullptr;
    TempDir folder;
};

using Samples = std::vector<int16_t>;

TEST_F(SoundSlotsTest, EveryReadableLayoutBecomesSixteenBitStereoAtTheOutputRate) {
    auto layout = [](int channels, int rate, int bits, uint32_t formatSize,
                     std::vector<std::string> chunks = {}, uint32_t extra = 0) {
        return WavLayout{channels, rate, bits, formatSize, std::move(chunks), true, extra};
    };
    std::string cut = Pcm16({1000, 2000, 3000});
    cut.pop_back();
    const struct {
        WavLayout layout;
        std::string bytes;
        Samples heard;
    } cases[] = {
        {layout(1, 22050, 16, 16), Pcm16({100, -300}), {100, 100, -300, -300}},
        {layout(1, 22050, 16, 18), Pcm16({100, -300}), {100, 100, -300, -300}},
        {layout(1, 22050, 16, 18, {"fact", "LIST", "cue "}), Pcm16({7}), {7, 7}},
        // A data chunk claiming more than the file holds is cut to its whole frames.
        {layout(1, 22050, 16, 16, {}, 100000), cut, {1000, 1000, 2000, 2000}},
        {layout(1, 22050, 8, 16),
         std::string("\x80\xFF\x00", 3),
         {0, 0, 32512, 32512, -32768, -32768}},
        // Twice the output rate keeps every second frame.
        {layout(2, 44100, 16, 16), Pcm16({1, -1, 2, -2, 3, -3, 4, -4}), {1, -1, 3, -3}},
        // Wider samples keep their top 16 bits.
        {layout(1, 22050, 24, 16), "\x99\x34\x12", {0x1234, 0x1234}},
        {layout(1, 22050, 32, 16), "\x99\x99\xCC\xED", {-0x1234, -0x1234}},
    };
    for (const auto& c : cases) {
        const std::string wav = MakeWav(c.layout, c.bytes);
        ASSERT_EQ(LoadSound(folder.Write("s.wav", wav).c_str(), 1, 1), 1.0)
            << c.layout.bitsPerSample;
        EXPECT_EQ(audio->lastChunkSamples, c.heard)
            << c.layout.bitsPerSample << " bits, " << c.layout.formatSize << "-byte format";
    }
}

// Every failed load empties the slot, missing files included, and says why in the log.
TEST_F(SoundSlotsTest, BrokenFilesFailLeaveTheSlotEmptyAndAreLogged) {
    ScopedTmpDir logHere(folder.Path() + "/");
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 3, 1), 1.0);
    WavLayout noData;
    noData.withData = false;
    noData.chunksBefore = {"LIST"};
    WavLayout twelveBits;
    twelveBits.bitsPerSample = 12;
    const std::vector<std::string> broken = {
        folder.Path() + "/missing.wav", // missing, and a folder: not found
        folder.Path(),
        folder.Write("nodata.wav", MakeWav(noData, Pcm16({1, 2}))),
        folder.Write("head.wav", MakeWav({}, Pcm16({5, 6})).substr(0, 35)),
        folder.Write("empty.wav", MakeWav({}, {})),
        folder.Write("bits.wav", MakeWav(twelveBits, Pcm16({1, 2}))),
    };
    std::string log;
    for (const std::string& path : broken) {
        EXPECT_EQ(LoadSound(path.c_str(), 3, 1), 0.0) << path;
        EXPECT_EQ(PlaySound(3, 0, 1), -1.0) << path;
        log += "LoadSound(\"" + path + "\"): " +
               (log.empty() || path == folder.Path() ? "not found" : "not a playable WAV sound") +
               "\r\n";
    }
    EXPECT_EQ(ReadWholeFile(folder.Path() + "/ErrorLog.txt"), log);
}

TEST_F(SoundSlotsTest, PlaysRotateOverTheCopies) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 5, 4), 1.0);
    for (double copy : {0, 1, 2, 3})
        EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + copy);
    audio->calls.clear();
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0) << "the fifth call cuts off the first copy";
    EXPECT_EQ(audio->calls, (std::vector<std::string>{"stop 20", "play 20"}));
    EXPECT_EQ(IsSoundPlaying(5 * 256 + 3), 1.0);
    EXPECT_EQ(IsSoundPlaying(5 * 256 + 4), 0.0);

    audio->Finish(5 * 4 + 0);
    EXPECT_EQ(IsSoundPlaying(5 * 256), 0.0);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0) << "the finished copy the rotation stands on";
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 1);

    // Copies are clamped to 1..4.
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 6, 0), 1.0);
    EXPECT_EQ(PlaySound(6, 0, 1), 6 * 256);
    EXPECT_EQ(PlaySound(6, 0, 1), -1.0) << "a playing single copy is not restarted";
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 6, 9), 1.0);
    for (double copy : {0, 1, 2, 3, 0})
        EXPECT_EQ(PlaySound(6, 0, 1), 6 * 256 + copy);
}

TEST_F(SoundSlotsTest, SlotNumbersAreTruncatedAndLimited) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 200, 1), 1.0);
    EXPECT_EQ(PlaySound(127.9, 0, 1), 127 * 256) << "slot 200 is slot 127";
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 3.7, 2), 1.0);
    EXPECT_EQ(PlaySound(3.2, 0, 1), 3 * 256);
    EXPECT_EQ(IsSoundPlaying(3 * 256), 1.0);
    EXPECT_EQ(LoadSound(ShortSound().c_str(), -1, 1), 0.0);
    EXPECT_EQ(PlaySound(-1, 0, 1), -1.0);
    // Handles whose slot part is above 127 or whose copy did not start name nothing.
    for (double handle : {-1.0, 128.0 * 256, 1e12, 3.0 * 256 + 1, 3.0 * 256 + 2})
        EXPECT_EQ(IsSoundPlaying(handle), 0.0) << handle;
}

TEST_F(SoundSlotsTest, PanAndVolumeBecomeGainsOfHundredthsOfADecibel) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 8, 4), 1.0);
    // -10000 hundredths of a decibel is silence; half a pan is -2500, volume 0.9 is -1000.
    const float quiet = 1e-5f, halfPan = 0.0031623f, volume09 = 0.316228f;
    const struct {
        double pan, volume;
        float left, right;
    } cases[] = {
        {0, 1, 1, 1},          {1, 1, quiet, 1},
        {5, 1, quiet, 1},      {-1, 1, 1, quiet},
        {-0.5, 1, 1, halfPan}, {0, 0, quiet, quiet},
        {0, -1, quiet, quiet}, {0, 0.9, volume09, volume09},
    };
    for (const auto& c : cases) {
        StopAllSounds();
        const int copy = static_cast<int>(PlaySound(8, c.pan, c.volume)) - 8 * 256;
        ASSERT_GE(copy, 0);
        const os::HeadlessAudio::Channel& channel = audio->channels[8 * 4 + copy];
        EXPECT_NEAR(channel.leftGain, c.left, c.left * 1e-4) << c.pan << " " << c.volume;
        EXPECT_NEAR(channel.rightGain, c.right, c.right * 1e-4) << c.pan << " " << c.volume;
    }
}

} // namespace
