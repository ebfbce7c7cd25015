#include <atomic>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

#include "core/ErrorLog.h"
#include "core/Runtime.h"
#include "desktop/DesktopCommands.h"
#include "desktop/MoviePlayer.h"
#include "sound/SoundDevice.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

TEST(MovieOutsideAWindow, PicturesFitKeepingTheirShapeCentredAndNoWindowGivesThree) {
    EXPECT_EQ(PlayMovie("clip.avi", 0), 3.0);
    // The picture's width and height, then where it goes on 800 x 600: x, y, width, height.
    const int cases[][6] = {
        {40, 60, 200, 0, 400, 600}, // 10 times: the width has room to spare
        {3, 7, 271, 0, 257, 600},   // 600 / 7: 257.14 wide, truncated; (800 - 257) / 2 = 271
        {0, 50, 0, 0, 0, 0},
    };
    for (const auto& row : cases) {
        const desktop::Placement got = desktop::FitCentred(row[0], row[1], 800, 600);
        EXPECT_EQ(std::vector<int>({got.x, got.y, got.width, got.height}),
                  std::vector<int>(row + 2, row + 6))
            << row[0] << " x " << row[1];
    }
}

// Half a second each of red, green and blue at 10 pictures a second, 100 x 50, with a tone.
std::string MakeClip(const TempDir& dir) {
    const std::string path = dir.File("clip.avi");
    std::string command = "ffmpeg -v error -y";
    for (const char* colour : {"0xFF0000", "0x00FF00", "0x0000FF"})
        command += std::string(" -f lavfi -i color=c=") + colour + ":s=100x50:r=10:d=0.5";
    command += " -f lavfi -i sine=frequency=440:sample_rate=22050:duration=1.5"
               " -filter_complex '[0][1][2]concat=n=3:v=1:a=0[v]' -map '[v]' -map 3"
               " -c:v mpeg4 -q:v 2 -c:a pcm_s16le '" +
               path + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? path : "";
}

// Which of red, green and blue the pixel mostly is, "black", or "other".
std::string ColourName(unsigned colour) {
    const int r = colour & 255, g = (colour >> 8) & 255, b = (colour >> 16) & 255;
    if (r < 40 && g < 40 && b < 40) return "black";
    if (r > 200 && g < 60 && b < 60) return "red";
    if (g > 200 && r < 60 && b < 60) return "green";
    if (b > 200 && r < 60 && g < 60) return "blue";
    return "other";
}

// Plays until the movie ends or passes pictures enough; gives the colours seen in the middle
// of the picture, each once per change.
std::vector<std::string> Watch(desktop::MoviePlayer& player, bool loop, size_t enough) {
    std::vector<std::string> seen;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (seen.size() < enough && player.Step(loop) && std::chrono::steady_clock::now() < giveUp) {
        if (player.DrewPicture()) {
            const std::string middle = ColourName(ReadPixel(400, 300));
            if (seen.empty() || seen.back() != middle) seen.push_back(middle);
            EXPECT_EQ(ColourName(ReadPixel(400, 50)), "black") << "above the picture";
            EXPECT_EQ(ColourName(ReadPixel(400, 550)), "black") << "below the picture";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return seen;
}

using MovieTest = GlRuntimeTest;

TEST_F(MovieTest, PlaysPicturesInOrderCentredWithTheirSoundEndsOrLoopsAndRefusesBrokenFiles) {
    TempDir dir;
    const std::string clip = MakeClip(dir);
    if (clip.empty()) GTEST_SKIP() << "ffmpeg could not make a clip";
    ASSERT_TRUE(Rt().sound && Rt().sound->HasOutput()) << "the dummy audio driver should open";
    os::AudioOutput& output = Rt().sound->Output();
    std::atomic<int> loudest{0};
    output.SetTap([&](const int16_t* samples, size_t frames) {
        for (size_t i = 0; i < frames * 2; ++i)
            loudest = std::max<int>(loudest, std::abs(samples[i]));
    });
    {
        desktop::MoviePlayer player(*Rt().gfx, *Rt().clock, &output);
        ASSERT_TRUE(player.Open(clip));
        EXPECT_EQ(Watch(player, false, 10), std::vector<std::string>({"red", "green", "blue"}));
    }
    output.SetTap(nullptr);
    EXPECT_GT(loudest, 1000) << "the tone of the sound track was not heard";
    // Looping starts again from the first picture.
    desktop::MoviePlayer looping(*Rt().gfx, *Rt().clock, nullptr);
    ASSERT_TRUE(looping.Open(clip));
    EXPECT_EQ(Watch(looping, true, 4), std::vector<std::string>({"red", "green", "blue", "red"}));
    // Files that cannot be played return at once.
    const std::string broken = dir.Write("broken.avi", std::string("RIFF\x10\0\0\0AVI LIST", 16));
    ScopedTmpDir log(dir.Path());
    for (const std::string& name : {broken, dir.File("missing.avi")}) {
        EXPECT_EQ(PlayMovie(name.c_str(), 1), 0.0) << name;
        EXPECT_NE(ReadWholeFile(LogFilePath()).find(name), std::string::npos) << name;
    }
}

} // namespace
