// Music through the real SDL2_mixer output on SDL's dummy driver, whose audio thread mixes a
// block every block's length of time; a tap on the output collects what it mixed.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "core/Runtime.h"
#include "desktop/DesktopCommands.h"
#include "files/FileCommands.h"
#include "files/ResourceLookup.h"
#include "files/ResourcePack.h"
#include "files/ResourceResolver.h"
#include "sound/SoundDevice.h"
#include "sound/WavFiles.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

class MusicTest : public HeadlessRuntimeTest {
  protected:
    void SetUp() override {
        // Set here as well as by the test runner, so that a run by hand never reaches for a
        // real sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        HeadlessRuntimeTest::SetUp();
        ASSERT_TRUE(Rt().sound && Rt().sound->HasOutput()) << "the dummy audio driver should open";
        Rt().sound->Output().SetTap([this](const int16_t* samples, size_t frames) {
            std::lock_guard<std::mutex> lock(mutex_);
            for (size_t i = 0; i < frames * 2; i += 2) {
                loudest_ = std::max(loudest_, std::abs(static_cast<int>(samples[i])));
                last_ = samples[i];
            }
            ++blocks_;
            blockMixed_.notify_all();
        });
    }
    void TearDown() override {
        Rt().sound->Output().SetTap(nullptr);
        HeadlessRuntimeTest::TearDown();
    }

    struct Heard {
        int loudest = 0, last = 0;
    };
    // The loudest left sample of the next count blocks, and the last one.
    Heard Hear(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        const int start = blocks_ + 1;
        blockMixed_.wait_for(lock, std::chrono::seconds(10), [&] { return blocks_ >= start; });
        loudest_ = 0;
        blockMixed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return blocks_ >= start + count; });
        return {loudest_, last_};
    }

    TempDir folder;

  private:
    std::mutex mutex_;
    std::condition_variable blockMixed_;
    int blocks_ = 0, loudest_ = 0, last_ = 0;
};

// A WAV file of a tenth of a second whose samples are all 8000, heard again and again at the
// level the volume sets.
TEST_F(MusicTest, MusicLoopsAtItsVolumeUntilStopped) {
    const std::string wav = MakeWav({}, Pcm16(std::vector<int16_t>(2205, 8000)));
    PlayMusic(folder.Write("loop.wav", wav).c_str());
    // About four and a half lengths of the file: still playing after the first.
    const Heard looped = Hear(20);
    EXPECT_EQ(looped.loudest, 8000);
    EXPECT_EQ(looped.last, 8000) << "the music stopped after one pass";

    SetMusicVolume(0.5039);
    EXPECT_EQ(Hear(4).loudest, 4000) << "0.5039 is 503 thousandths: 64 of the mixer's 128 steps";
    SetMusicVolume(7);
    EXPECT_EQ(Hear(4).loudest, 8000) << "volumes above 1 are full volume";

    StopMusic();
    EXPECT_EQ(Hear(4).loudest, 0);
    PlayMusic("no such music.ogg");
    EXPECT_EQ(Hear(4).loudest, 0);

    // From a resource pack the file is read into memory, with no temporary copy on disk.
    std::string error;
    const std::string pack = files::BuildPack({{"music/packed.wav", wav}}, files::PackMethod::Deflate, error);
    SetResourcePacks(folder.Write("music.sbx", pack).c_str(), "");
    PlayMusic("music/packed.wav");
    EXPECT_EQ(Hear(4).loudest, 8000);
    EXPECT_TRUE(Rt().resolvers[0]->Extraction().empty());
    StopMusic();
    SetResourcePacks("", "");
}

} // namespace
