// Sounds on the headless audio output, which records each start and stop of a channel and lets
// a sound play until the test finishes it: the slot and copy logic, the gains and the WAV
// reading. Music through the real SDL2_mixer output on SDL's dummy driver, whose audio thread
// mixes a block every block's length of time; a tap on the output collects what it mixed.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "core/Runtime.h"
#include "desktop/DesktopCommands.h"
#include "files/FileCommands.h"
#include "files/ResourcePack.h"
#include "os/headless/HeadlessAudio.h"
#include "sound/SoundCommands.h"
#include "sound/SoundDevice.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

// Little-endian fields of 16 or 32 bits and the bytes of 16-bit samples (the machine is
// little-endian, as the files are).
std::string Le(uint32_t value, int bytes = 4) {
    return std::string(reinterpret_cast<const char*>(&value), bytes);
}

std::string Pcm16(const std::vector<int16_t>& samples) {
    return std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
}

// A whole WAV file: the head, a format chunk of formatSize bytes (18 adds the extension size
// field), the chunks given, and a data chunk that claims claimedExtra bytes more than it holds.
std::string MakeWav(const std::string& samples, int bits = 16, int channels = 1, int rate = 22050,
                    const std::string& chunks = "", uint32_t formatSize = 16,
                    uint32_t claimedExtra = 0) {
    const auto block = static_cast<uint32_t>(channels * bits / 8);
    const std::string out = "WAVEfmt " + Le(formatSize) + Le(1, 2) + Le(channels, 2) + Le(rate) +
                            Le(rate * block) + Le(block, 2) + Le(bits, 2) +
                            std::string(formatSize - 16, '\0') + chunks + "data" +
                            Le(samples.size() + claimedExtra) + samples;
    return "RIFF" + Le(out.size()) + out;
}

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
    std::string ShortSound() { return folder.Write("short.wav", MakeWav(Pcm16({100, -300}))); }

    os::HeadlessAudio* audio = nullptr;
    TempDir folder;
};

// Every readable layout becomes 16-bit stereo at the output rate. Every failed load empties
// the slot and says why in the log.
TEST_F(SoundSlotsTest, FilesPlayAsSixteenBitStereoAtTheOutputRateOrFailAndAreLogged) {
    ScopedTmpDir logHere(folder.Path() + "/");
    const std::string chunks = std::string("fact\3\0\0\0abc\0LIST\3\0\0\0abc\0", 24);
    const std::string noData = MakeWav("", 16, 1, 22050, chunks);
    const std::pair<std::string, std::vector<int16_t>> cases[] = {
        {MakeWav(Pcm16({7}), 16, 1, 22050, chunks, 18), {7, 7}},
        // A data chunk claiming more than the file holds is cut to its whole frames.
        {MakeWav(Pcm16({1000, 2000}) + "x", 16, 1, 22050, "", 16, 9999), {1000, 1000, 2000, 2000}},
        {MakeWav(std::string("\x80\xFF\x00", 3), 8), {0, 0, 32512, 32512, -32768, -32768}},
        // Twice the output rate keeps every second frame.
        {MakeWav(Pcm16({1, -1, 2, -2, 3, -3, 4, -4}), 16, 2, 44100), {1, -1, 3, -3}},
        // Wider samples keep their top 16 bits.
        {MakeWav("\x99\x34\x12", 24), {0x1234, 0x1234}},
        {MakeWav("\x99\x99\xCC\xED", 32), {-0x1234, -0x1234}},
        {noData.substr(0, noData.size() - 8), {}},
        {MakeWav(Pcm16({5, 6})).substr(0, 35), {}},
        {MakeWav(""), {}},
        {MakeWav(Pcm16({1, 2}), 12), {}},
    };
    std::string log;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string path = folder.Write("s.wav", cases[i].first);
        const bool plays = !cases[i].second.empty();
        ASSERT_EQ(LoadSound(path.c_str(), 3, 1), plays) << "case " << i;
        EXPECT_EQ(PlaySound(3, 0, 1), plays ? 3 * 256 : -1) << "case " << i;
        EXPECT_TRUE(!plays || audio->lastChunkSamples == cases[i].second) << "case " << i;
        if (!plays) log += "LoadSound(\"" + path + "\"): not a playable WAV sound\r\n";
    }
    // A missing file and a folder are not found.
    for (const std::string& path : {folder.File("missing.wav"), folder.Path()}) {
        EXPECT_EQ(LoadSound(path.c_str(), 3, 1), 0.0) << path;
        EXPECT_EQ(PlaySound(3, 0, 1), -1.0) << path;
        log += "LoadSound(\"" + path + "\"): not found\r\n";
    }
    EXPECT_EQ(ReadWholeFile(folder.File("ErrorLog.txt")), log);
}

TEST_F(SoundSlotsTest, PlaysRotateOverTheCopiesAndHandlesNameSlotAndCopy) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 5, 4), 1.0);
    for (double copy : {0, 1, 2, 3, 0})
        EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + copy) << "the fifth call cuts off the first copy";
    audio->Finish(5 * 4 + 0);
    EXPECT_EQ(IsSoundPlaying(5 * 256), 0.0);
    EXPECT_EQ(PlaySound(5, 0, 1), 5 * 256 + 0) << "the finished copy the rotation stands on";

    // Copies are clamped to 1..4, slot numbers truncated and limited to 0..127.
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 6.9, 0), 1.0);
    EXPECT_EQ(PlaySound(6.2, 0, 1), 6 * 256);
    EXPECT_EQ(PlaySound(6, 0, 1), -1.0) << "a playing single copy is not restarted";
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 200, 9), 1.0);
    for (double copy : {0, 1, 2, 3, 0})
        EXPECT_EQ(PlaySound(127.9, 0, 1), 127 * 256 + copy) << "slot 200 is slot 127";
    EXPECT_EQ(LoadSound(ShortSound().c_str(), -1, 1), 0.0);
    // Handles whose slot part is above 127 or whose copy did not start name nothing.
    for (double handle : {-1.0, 1e12, 6.0 * 256 + 1})
        EXPECT_EQ(IsSoundPlaying(handle), 0.0) << handle;
}

TEST_F(SoundSlotsTest, PanAndVolumeBecomeGainsOfHundredthsOfADecibel) {
    ASSERT_EQ(LoadSound(ShortSound().c_str(), 8, 1), 1.0);
    // -10000 hundredths of a decibel is silence; half a pan is -5000, volume 0.9 is -1000.
    const double cases[][4] = {{0, 1, 1, 1},        {5, 1, 1e-5, 1},
                               {-1, 1, 1, 1e-5},    {-0.5, 1, 1, 0.0031623},
                               {0, -1, 1e-5, 1e-5}, {0, 0.9, 0.316228, 0.316228}};
    for (const auto& [pan, volume, left, right] : cases) {
        StopAllSounds();
        ASSERT_EQ(PlaySound(8, pan, volume), 8 * 256);
        EXPECT_NEAR(audio->channels[8 * 4].leftGain, left, left * 1e-4) << pan << " " << volume;
        EXPECT_NEAR(audio->channels[8 * 4].rightGain, right, right * 1e-4) << pan << " " << volume;
    }
}

class MusicTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1); // a run by hand never reaches for a sound card
        HeadlessRuntimeTest::SetUp();
        ASSERT_TRUE(Rt().sound && Rt().sound->HasOutput());
        Rt().sound->Output().SetTap([this](const int16_t* samples, size_t frames) {
            std::lock_guard<std::mutex> lock(mutex_);
            for (size_t i = 0; i < frames * 2; i += 2)
                loudest_ = std::max(loudest_, std::abs(static_cast<int>(samples[i])));
            ++blocks_;
            blockMixed_.notify_all();
        });
    }
    void TearDown() override {
        Rt().sound->Output().SetTap(nullptr);
        HeadlessRuntimeTest::TearDown();
    }

    // The loudest left sample of the count blocks after the next one.
    int Hear(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        const int start = blocks_ + 1;
        blockMixed_.wait_for(lock, std::chrono::seconds(10), [&] { return blocks_ >= start; });
        loudest_ = 0;
        blockMixed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return blocks_ >= start + count; });
        return loudest_;
    }

    TempDir folder;

  private:
    std::mutex mutex_;
    std::condition_variable blockMixed_;
    int blocks_ = 0, loudest_ = 0;
};

// A WAV file of a tenth of a second whose samples are all 8000, from a resource pack, heard
// again and again at the level the volume sets.
TEST_F(MusicTest, MusicLoopsAtItsVolumeUntilStopped) {
    std::string error;
    const std::string pack =
        files::BuildPack({{"music/loop.wav", MakeWav(Pcm16(std::vector<int16_t>(2205, 8000)))}},
                         files::PackMethod::Deflate, error);
    SetResourcePacks(folder.Write("music.sbx", pack).c_str(), "");
    PlayMusic("music/loop.wav");
    Hear(20); // about four and a half lengths of the file
    EXPECT_EQ(Hear(4), 8000) << "the music stopped after one pass";
    // 0.5039 is 503 thousandths: 64 of the mixer's 128 steps; volumes below 0 are silence,
    // above 1 full volume.
    for (const auto& [volume, loudest] : {std::pair{0.5039, 4000}, {-1.0, 0}, {7.0, 8000}}) {
        SetMusicVolume(volume);
        EXPECT_EQ(Hear(4), loudest) << volume;
    }
    StopMusic();
    EXPECT_EQ(Hear(4), 0);
    SetResourcePacks("", "");
}
