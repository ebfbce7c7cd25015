// The hot reload (VORNIC_WATCH=1) through the real load commands: files in a temporary folder
// are rewritten in place or replaced by a rename, and the frame flip brings the new sprite
// picture, object or sound into the same slot, or keeps the old one when the new file is broken.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "files/FileCommands.h"
#include "files/FileWatcher.h"
#include "files/ResourcePack.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/Rainbows3D.h"
#include "os/Backend.h"
#include "os/headless/HeadlessAudio.h"
#include "sound/SoundCommands.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

namespace {

void Put16(std::string& bytes, uint16_t value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, uint32_t value) {
    Put16(bytes, static_cast<uint16_t>(value & 0xFFFF));
    Put16(bytes, static_cast<uint16_t>(value >> 16));
}

// A 24-bit BMP of width x height pixels, all of colour R + G*256 + B*65536.
std::string SolidBmp(int width, int height, uint32_t colour) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string bytes = "BM";
    Put32(bytes, 54 + rowBytes * height);
    Put32(bytes, 0);
    Put32(bytes, 54);
    Put32(bytes, 40);
    Put32(bytes, width);
    Put32(bytes, height);
    Put16(bytes, 1);
    Put16(bytes, 24);
    for (int i = 0; i < 6; ++i)
        Put32(bytes, 0);
    std::string row;
    for (int x = 0; x < width; ++x)
        row += {static_cast<char>(colour >> 16), static_cast<char>(colour >> 8),
                static_cast<char>(colour)};
    row.resize(rowBytes, '\0');
    for (int y = 0; y < height; ++y)
        bytes += row;
    return bytes;
}

// A 16-bit mono WAV at the output rate with the given number of samples.
std::string MonoWav(int samples) {
    std::string bytes = "RIFF";
    Put32(bytes, 36 + samples * 2);
    bytes += "WAVEfmt ";
    Put32(bytes, 16);
    Put16(bytes, 1);
    Put16(bytes, 1);
    Put32(bytes, os::kAudioRate);
    Put32(bytes, os::kAudioRate * 2);
    Put16(bytes, 2);
    Put16(bytes, 16);
    bytes += "data";
    Put32(bytes, samples * 2);
    for (int i = 0; i < samples; ++i)
        Put16(bytes, static_cast<uint16_t>(i * 100));
    return bytes;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

const uint32_t kRed = 0x0000FF;
const uint32_t kGreen = 0x00FF00;
const uint32_t kBlue = 0xFF0000;

class HotReloadTest : public GlRuntimeTest {
  protected:
    void SetUp() override {
        setenv("VORNIC_WATCH", watching_ ? "1" : "0", 1);
        os::SetAudioFactory([this] {
            auto output = std::make_unique<os::HeadlessAudio>();
            audio = output.get();
            return output;
        });
        GlRuntimeTest::SetUp();
    }
    void TearDown() override {
        GlRuntimeTest::TearDown();
        os::SetAudioFactory(nullptr);
        unsetenv("VORNIC_WATCH");
    }

    // Rewrites the file in place and gives it a modification time of its own: two writes
    // within one tick of the file system's clock would otherwise look alike.
    void Rewrite(const std::string& path, const std::string& bytes) {
        WriteWholeFile(path, bytes);
        const timespec times[2] = {{0, UTIME_OMIT}, {1000000 + ++rewrites_, 123456789}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    // Replaces the file by renaming a new one over it, as editors save; the new file keeps
    // the old one's size and times, so only its being another file tells them apart.
    void ReplaceByRename(const std::string& path, const std::string& bytes) {
        struct stat old;
        ASSERT_EQ(stat(path.c_str(), &old), 0);
        const std::string fresh = path + ".new";
        WriteWholeFile(fresh, bytes);
        const timespec times[2] = {old.st_atim, old.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, fresh.c_str(), times, 0), 0);
        ASSERT_EQ(std::rename(fresh.c_str(), path.c_str()), 0);
    }
    // The colour sprite id shows when drawn at the top-left corner of a fresh frame.
    unsigned DrawnColour(int id) {
        DrawSprite(id, 0, 0);
        return ReadPixel(2, 2);
    }
    std::string Log() const { return ReadWholeFile(folder.File("ErrorLog.txt")); }

    TempDir folder;
    ScopedTmpDir logHere{folder.Path() + "/"};
    os::HeadlessAudio* audio = nullptr;
    bool watching_ = true;

  private:
    int rewrites_ = 0;
};

TEST_F(HotReloadTest, SpritePictureChangesAtTheFlipAndABrokenFileKeepsTheOldOne) {
    const std::string file = folder.Write("hero.bmp", SolidBmp(8, 8, kRed));
    ASSERT_EQ(LoadSprite(file.c_str(), 5), 1);
    EXPECT_EQ(DrawnColour(5), kRed);

    Rewrite(file, SolidBmp(16, 4, kBlue));
    EXPECT_EQ(DrawnColour(5), kRed) << "only the frame flip reloads";
    PresentFrame();
    EXPECT_EQ(DrawnColour(5), kBlue);
    double width, height;
    GetSpriteSize(5, width, height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 4);

    // Half-written, then empty: each is refused once, and the picture stays.
    const std::string whole = SolidBmp(16, 4, kGreen);
    Rewrite(file, whole.substr(0, whole.size() / 2));
    PresentFrame();
    EXPECT_EQ(DrawnColour(5), kBlue);
    Rewrite(file, "");
    PresentFrame();
    PresentFrame();
    EXPECT_EQ(DrawnColour(5), kBlue);
    const std::string log = Log();
    EXPECT_NE(log.find("Reload(\"" + file + "\"): cut short"), std::string::npos) << log;
    EXPECT_EQ(Count(log, "sprite 5 stays as it was"), 2) << "one line per refused version:\n"
                                                         << log;

    // Once the writer is done, the finished file is taken.
    Rewrite(file, whole);
    PresentFrame();
    EXPECT_EQ(DrawnColour(5), kGreen);
}

TEST_F(HotReloadTest, FileReplacedByRenameIsSeen) {
    const std::string picture = folder.Write("tile.bmp", SolidBmp(4, 4, kRed));
    const std::string sound = folder.Write("step.wav", MonoWav(10));
    ASSERT_EQ(LoadSprite(picture.c_str(), 9), 1);
    ASSERT_EQ(LoadSound(sound.c_str(), 2, 2), 1);
    ASSERT_EQ(audio->lastChunkSamples.size(), 20u); // stereo frames

    ReplaceByRename(picture, SolidBmp(4, 4, kGreen));
    ReplaceByRename(sound, MonoWav(30));
    PresentFrame();
    EXPECT_EQ(DrawnColour(9), kGreen);
    EXPECT_EQ(audio->lastChunkSamples.size(), 60u);
    // Same slot, same two copies: both play at once.
    EXPECT_EQ(PlaySound(2, 0, 1), 2 * 256 + 0);
    EXPECT_EQ(PlaySound(2, 0, 1), 2 * 256 + 1);

    // A broken sound keeps the old one.
    Rewrite(sound, "RIFF");
    PresentFrame();
    EXPECT_NE(Log().find("sound 2 stays as it was"), std::string::npos) << Log();
    EXPECT_EQ(PlaySound(2, 0, 1), 2 * 256 + 0);
}

// An object built in code and saved, as the bytes of a binary object file.
std::string SavedStrip(TempDir& folder, int vertices) {
    BeginObject(100);
    for (int i = 0; i < vertices; ++i)
        AddObjectVertex(i, i % 2, 0, 0, 0, 0xFFFFFF);
    EndObject();
    const std::string path = folder.File("built.ddd");
    EXPECT_EQ(SaveObject(path.c_str(), 100), 1);
    return ReadWholeFile(path);
}

// Corner indices of the object's first frame: three per triangle.
int CornerCount(int id) {
    return Rt().objects->Slot(id)->parts[0].frames[0].triangles.Count();
}

TEST_F(HotReloadTest, ObjectAndModelSetPartsReloadIntoTheSameSlot) {
    const std::string triangle = SavedStrip(folder, 3);
    const std::string threeTriangles = SavedStrip(folder, 5);
    const std::string file = folder.Write("crab.ddd", triangle);
    ASSERT_EQ(LoadObject(file.c_str(), 3), 1);
    ASSERT_EQ(CornerCount(3), 3);

    Rewrite(file, threeTriangles);
    PresentFrame();
    EXPECT_EQ(CornerCount(3), 9);
    Rewrite(file, threeTriangles.substr(0, threeTriangles.size() - 5));
    PresentFrame();
    EXPECT_EQ(CornerCount(3), 9);
    EXPECT_NE(Log().find("object 3 stays as it was"), std::string::npos) << Log();

    // A model set is watched with its parts.
    folder.Write("set.ddw", ";DDW\n[textures]\ncount=0\n[objects]\ncount=1\n1=part.ddd\n");
    const std::string part = folder.Write("part.ddd", triangle);
    ASSERT_EQ(LoadObject(folder.File("set.ddw").c_str(), 4), 1);
    ASSERT_EQ(CornerCount(4), 3);
    ReplaceByRename(part, threeTriangles);
    PresentFrame();
    EXPECT_EQ(CornerCount(4), 9);
    Rewrite(part, triangle);
    PresentFrame();
    EXPECT_EQ(CornerCount(4), 3) << "the reloaded set still watches its part";
}

// A slot's watch goes with what the slot holds: a second load replaces it, anything else that
// fills or empties the slot drops it.
TEST_F(HotReloadTest, WatchFollowsTheSlot) {
    const files::FileWatcher& watcher = *Rt().watcher;
    const std::string first = folder.Write("a.bmp", SolidBmp(4, 4, kRed));
    const std::string second = folder.Write("b.bmp", SolidBmp(4, 4, kGreen));
    ASSERT_EQ(LoadSprite(first.c_str(), 1), 1);
    ASSERT_EQ(LoadSprite(second.c_str(), 1), 1);
    Rewrite(first, SolidBmp(4, 4, kBlue));
    PresentFrame();
    EXPECT_EQ(DrawnColour(1), kGreen) << "the first file no longer feeds the slot";
    Rewrite(second, SolidBmp(4, 4, kBlue));
    PresentFrame();
    EXPECT_EQ(DrawnColour(1), kBlue);

    const struct {
        const char* what;
        const char* key;
        void (*empty)();
    } ends[] = {
        {"DeleteSprite", "sprite 1", [] { DeleteSprite(1); }},
        {"GrabSprite", "sprite 1", [] { GrabSprite(1, 0, 0, 4, 4); }},
        {"a failed LoadSprite", "sprite 1", [] { LoadSprite("no such file.bmp", 1); }},
        {"BeginObject", "object 1", [] { BeginObject(1); }},
        {"a failed LoadSound", "sound 1", [] { LoadSound("no such file.wav", 1, 1); }},
    };
    const std::string sound = folder.Write("s.wav", MonoWav(4));
    const std::string object = folder.Write("o.ddd", SavedStrip(folder, 3));
    for (const auto& end : ends) {
        ASSERT_EQ(LoadSprite(second.c_str(), 1), 1);
        ASSERT_EQ(LoadSound(sound.c_str(), 1, 1), 1);
        ASSERT_EQ(LoadObject(object.c_str(), 1), 1);
        ASSERT_TRUE(watcher.Watching(end.key));
        end.empty();
        EXPECT_FALSE(watcher.Watching(end.key)) << end.what;
    }
}

TEST_F(HotReloadTest, FilesFromTheResourcePackAreNotWatched) {
    std::string error;
    const std::string pack =
        BuildPack({{"packed-only.bmp", SolidBmp(4, 4, kRed)}}, PackMethod::Deflate, error);
    ASSERT_FALSE(pack.empty()) << error;
    SetResourcePacks(folder.Write("game.sbx", pack).c_str(), "");
    ASSERT_EQ(LoadSprite("packed-only.bmp", 7), 1);
    EXPECT_EQ(DrawnColour(7), kRed);
    EXPECT_FALSE(Rt().watcher->Watching("sprite 7"));
}

class HotReloadOffTest : public HotReloadTest {
  protected:
    HotReloadOffTest() { watching_ = false; }
};

TEST_F(HotReloadOffTest, NothingIsWatchedWithoutTheSetting) {
    EXPECT_EQ(Rt().watcher, nullptr);
    const std::string file = folder.Write("hero.bmp", SolidBmp(8, 8, kRed));
    ASSERT_EQ(LoadSprite(file.c_str(), 5), 1);
    Rewrite(file, SolidBmp(8, 8, kBlue));
    PresentFrame();
    EXPECT_EQ(DrawnColour(5), kRed);
}

} // namespace
