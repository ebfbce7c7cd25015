// The slot and copy logic and the WAV reading, on the headless audio output: it records each
// start and stop of a channel and lets a sound play until the test finishes it.
#include <gtest/gtest.h>

#include <cmath>

#include "WavFiles.h"
#include "app/AppCommands.h"
#include "os/headless/HeadlessAudio.h"
#include "sound/SoundCommands.h"
#include "support/TestRuntime.h"

namespace {

constexpr int kCopies = 4;

class SoundSlotsTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        os::SetAudioFactory([this] {
            auto output = std::make_unique<os::HeadlessAudio>();
            output->deviceAvailable = deviceAvailable;
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
    std::string ShortSound(const WavLayout& layout = {}) {
        return folder.Write("short.wav", MakeWav(layout, Pcm16({100, 200, -300, 400})));
    }
    int Channel(int slot, int copy) const { return slot * kCopies + copy; }

    bool deviceAvailable = true;
    os::HeadlessAudio* audio = nullptr;
    TempFolder folder;
};

TEST_F(SoundSlotsTest, FormatChunksOfSixteenAndEighteenBytesBothLoad) {
    for (uint32_t formatSize : {16u, 18u, 40u}) {
        WavLayout layout;
        layout.formatSize = formatSize;
        ASSERT_EQ(LoadSound(ShortSound(layout).c_str(), 1, 1), 1.0) << formatSize;
        EXPECT_EQ(audio->lastChunkSamples,
                  (std::vector<int16_t>{100, 100, 200, 200, -300, -300, 400, 400}));
    }
}

TEST_F(SoundSlotsTest, ChunksBeforeTheDataAreSkipped) {
    for (const auto& chunks :
         std::vector<std::vector<std::string>>{{"fact"}, {"LIST"}, {"fact", "LIST", "cue "}}) {
        WavLayout layout;
        layout.formatSize = 18;
        layout.chunksBefore = chunks;
        ASSERT_EQ(LoadSound(ShortSound(layout).c_str(), 1, 1), 1.0) << chunks.size();
        EXPECT_EQ(audio->lastChunkSamples.size(), 8u);
        EXPECT_EQ(audio->lastChunkSamples[6], 400);
    }
}

TEST_F(SoundSlotsTest, DataChunkClaimingMoreThanTheFileHoldsIsCut) {
    WavLayout layout;
    layout.extraClaimedBytes = 100000;
    // The last sample is cut in half: only whole frames are kept.
    std::vector<uint8_t> bytes = Pcm16({1000, 2000, 3000});
    bytes.pop_back();
    ASSERT_EQ(LoadSound(folder.Write("cut.wav", MakeWav(layout, bytes)).c_str(), 2, 1), 1.0);
    EXPECT_EQ(audio->lastChunkSamples, (std::vector<int16_t>{1000, 1000, 2000, 2000}));
}

TEST_F(SoundSlotsTest, BrokenFilesFailAndLeaveTheSlotEmpty) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 3, 1), 1.0);
    WavLayout noData;
    noData.withData = false;
    noData.chunksBefore = {"LIST"};
    WavLayout twelveBits;
    twelveBits.bitsPerSample = 12;
    const std::vector<uint8_t> whole = MakeWav({}, Pcm16({5, 6}));
    const std::vector<std::string> broken = {
        folder.Write("nodata.wav", MakeWav(noData, Pcm16({1, 2}))),
        folder.Write("head.wav", std::vector<uint8_t>(whole.begin(), whole.begin() + 35)),
        folder.Write("empty.wav", MakeWav({}, {})),
        folder.Write("bits.wav", MakeWav(twelveBits, Pcm16({1, 2}))),
        folder.Path() + "/missing.wav",
        folder.Path(),
    };
    for (const std::string& path : broken) {
        EXPECT_EQ(LoadSound(path.c_str(), 3, 1), 0.0) << path;
        EXPECT_EQ(PlaySound(3, 0, 1), -1.0) << path;
    }
}

TEST_F(SoundSlotsTest, EveryPlayableFormatIsConvertedToSixteenBitStereo) {
    WavLayout eightBit;
    eightBit.bitsPerSample = 8;
    ASSERT_EQ(LoadSound(folder.Write("8.wav", MakeWav(eightBit, {128, 255, 0})).c_str(), 0, 1),
              1.0);
    EXPECT_EQ(audio->lastChunkSamples, (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768}));

    WavLayout stereo;
    stereo.channels = 2;
    stereo.rate = 44100;
    ASSERT_EQ(
        LoadSound(
            folder.Write("s.wav", MakeWav(stereo, Pcm16({1, -1, 2, -2, 3, -3, 4, -4}))).c_str(), 0,
            1),
        1.0);
    // Two frames at the output rate, the samples of every second frame.
    EXPECT_EQ(audio->lastChunkSamples, (std::vector<int16_t>{1, -1, 3, -3}));

    // Wider samples keep their top 16 bits.
    WavLayout wide;
    wide.bitsPerSample = 24;
    ASSERT_EQ(LoadSound(folder.Write("24.wav", MakeWav(wide, {0x99, 0x34, 0x12})).c_str(), 0, 1),
              1.0);
    EXPECT_EQ(audio->lastChunkSamples, (std::vector<int16_t>{0x1234, 0x1234}));
    wide.bitsPerSample = 32;
    ASSERT_EQ(
        LoadSound(folder.Write("32.wav", MakeWav(wide, {0x99, 0x99, 0xCC, 0xED})).c_str(), 0, 1),
        1.0);
    EXPECT_EQ(audio->lastChunkSamples, (std::vector<int16_t>{-0x1234, -0x1234}));
}

TEST_F(SoundSlotsTest, FiveCallsOnFourCopiesCutOffTheFirst) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 5, 4), 1.0);
    for (double expectedCopy : {0, 1, 2, 3})
        EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + expectedCopy);
    audio->calls.clear();
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0);
    EXPECT_EQ(audio->calls, (std::vector<std::string>{"stop 20", "play 20"}));
    for (int copy = 0; copy < 4; ++copy)
        EXPECT_EQ(IsSoundPlaying(5 * 256 + copy), 1.0);
    EXPECT_EQ(IsSoundPlaying(5 * 256 + 4), 0.0);

    // A copy that has finished is used again before the rotation moves on.
    audio->Finish(Channel(5, 0));
    EXPECT_EQ(IsSoundPlaying(5 * 256), 0.0);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 1);
}

TEST_F(SoundSlotsTest, CopiesAreClampedToOneToFour) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 6, 0), 1.0);
    EXPECT_EQ(PlaySound(6, 0, 1), 6 * 256);
    EXPECT_EQ(PlaySound(6, 0, 1), -1.0);

    ASSERT_EQ(LoadSound(ShortSound().c_str(), 6, 9), 1.0);
    for (double copy : {0, 1, 2, 3, 0})
        EXPECT_EQ(PlaySound(6, 0, 1), 6 * 256 + copy);
}

TEST_F(SoundSlotsTest, OneCopySoundPlayedEveryFrameRunsOnWithoutRestarting) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 7, 1), 1.0);
    const double handle = PlaySound(7, 0, 1);
    ASSERT_EQ(handle, 7 * 256);
    for (int frame = 0; frame < 50; ++frame) {
        EXPECT_EQ(PlaySound(7, 0.3, 0.5), -1.0);
        PresentFrame();
    }
    EXPECT_EQ(audio->calls, (std::vector<std::string>{"play 28"}));
    EXPECT_EQ(audio->channels[28].leftGain, 1.0f);

    // Once it has run out, the next frame starts it again.
    audio->Finish(Channel(7, 0));
    EXPECT_EQ(PlaySound(7, 0, 1), handle);
}

TEST_F(SoundSlotsTest, SlotNumbersAreTruncatedAndLimited) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 200, 1), 1.0);
    EXPECT_EQ(PlaySound(200, 0, 1), 127 * 256);
    EXPECT_EQ(IsSoundPlaying(127 * 256), 1.0);
    EXPECT_EQ(PlaySound(127.9, 0, 1), -1.0);

    // A fractional slot gives a handle that names the copy it started.
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 3.7, 2), 1.0);
    const double handle = PlaySound(3.7, 0, 1);
    EXPECT_EQ(handle, 3 * 256);
    EXPECT_EQ(IsSoundPlaying(handle), 1.0);

    EXPECT_EQ(LoadSound(ShortSound().c_str(), -1, 1), 0.0);
    EXPECT_EQ(PlaySound(-1, 0, 1), -1.0);
    EXPECT_EQ(IsSoundPlaying(-1), 0.0);
    // Slot parts above 127 name no slot, even where the table has one.
    EXPECT_EQ(IsSoundPlaying(128 * 256), 0.0);
    EXPECT_EQ(IsSoundPlaying(1e12), 0.0);
    EXPECT_EQ(IsSoundPlaying(3 * 256 + 2), 0.0);
}

TEST_F(SoundSlotsTest, PanAndVolumeBecomeGainsOfHundredthsOfADecibel) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 8, 4), 1.0);
    struct Case {
        double pan, volume;
        float left, right;
    };
    const float quiet = 1e-5f;
    const float halfPan = static_cast<float>(std::pow(10.0, -2.5));
    const Case cases[] = {
        {0, 1, 1, 1},          {1, 1, quiet, 1},
        {5, 1, quiet, 1},      {-1, 1, 1, quiet},
        {-0.5, 1, 1, halfPan}, {0, 0, quiet, quiet},
        {0, -1, quiet, quiet}, {0, 0.9, 0.316228f, 0.316228f},
    };
    for (const Case& c : cases) {
        StopAllSounds();
        const int copy = static_cast<int>(PlaySound(8, c.pan, c.volume)) - 8 * 256;
        ASSERT_GE(copy, 0);
        const os::HeadlessAudio::Channel& channel = audio->channels[Channel(8, copy)];
        EXPECT_NEAR(channel.leftGain, c.left, c.left * 1e-4) << c.pan << " " << c.volume;
        EXPECT_NEAR(channel.rightGain, c.right, c.right * 1e-4) << c.pan << " " << c.volume;
    }
}

TEST_F(SoundSlotsTest, StopAllSoundsAndReloadingStopEveryCopy) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 9, 2), 1.0);
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 10, 1), 1.0);
    PlaySound(9, 0, 1);
    PlaySound(9, 0, 1);
    PlaySound(10, 0, 1);
    StopAllSounds();
    EXPECT_EQ(IsSoundPlaying(9 * 256), 0.0);
    EXPECT_EQ(IsSoundPlaying(9 * 256 + 1), 0.0);
    EXPECT_EQ(IsSoundPlaying(10 * 256), 0.0);

    PlaySound(10, 0, 1);
    audio->calls.clear();
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 10, 1), 1.0);
    EXPECT_EQ(audio->calls, (std::vector<std::string>{"stop 40"}));
}

class SoundWithoutDeviceTest : public SoundSlotsTest {
  protected:
    void SetUp() override {
        deviceAvailable = false;
        SoundSlotsTest::SetUp();
    }
};

TEST_F(SoundWithoutDeviceTest, LoadsFailAndNothingPlays) {
    EXPECT_EQ(LoadSound(ShortSound().c_str(), 1, 1), 0.0);
    EXPECT_EQ(PlaySound(1, 0, 1), -1.0);
    EXPECT_EQ(IsSoundPlaying(256), 0.0);
    StopAllSounds();
    EXPECT_TRUE(audio->calls.empty());
}

} // namespace
