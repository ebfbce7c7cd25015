// The hot reload (VORNIC_WATCH=1) through the real load commands: files in a temporary folder
// are rewritten in place or replaced by a rename, and the frame flip brings the new sprite
// picture, object, sound or shader program into the same slot, or keeps the old one when the new
// file is broken.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "core/Runtime.h"
#include "files/FileWatcher.h"
#include "gfx2d/ImageCodec.h"
#include "gfx3d/Rainbows3D.h"
#include "os/Backend.h"
#include "os/headless/HeadlessAudio.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

class HotReloadTest : public GlRuntimeTest {
  protected:
    void SetUp() override {
        setenv("VORNIC_WATCH", watching ? "1" : "0", 1);
        os::SetAudioFactory(
            [this] { return std::unique_ptr<os::AudioOutput>(audio = new os::HeadlessAudio); });
        GlRuntimeTest::SetUp();
    }
    void TearDown() override {
        GlRuntimeTest::TearDown();
        os::SetAudioFactory(nullptr);
    }

    // A one-pixel 24-bit BMP of colour R + G*256 + B*65536, from the runtime's own writer.
    std::string Bmp(uint32_t colour) const {
        gfx2d::SavedPicture picture;
        picture.width = picture.height = 1;
        picture.bgrBottomUp = {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
        EXPECT_TRUE(gfx2d::WriteBmpFile(folder.File("scratch.bmp"), picture));
        return ReadWholeFile(folder.File("scratch.bmp"));
    }
    // A 16-bit mono WAV at the output rate with the given number of (silent) samples.
    static std::string Wav(uint32_t samples) {
        const uint32_t fields[] = {36 + samples * 2, 0x45564157,     0x20746D66,         16,
                                   0x00010001,       os::kAudioRate, os::kAudioRate * 2, 0x00100002,
                                   0x61746164,       samples * 2};
        return "RIFF" + std::string(reinterpret_cast<const char*>(fields), sizeof fields) +
               std::string(samples * 2, '\0');
    }
    // The bytes of an object built in code and saved: a strip of the given number of vertices.
    std::string Strip(int vertices) const {
        BeginObject(100);
        for (int i = 0; i < vertices; ++i)
            AddObjectVertex(i, i % 2, 0, 0, 0, 0xFFFFFF);
        EndObject();
        EXPECT_EQ(SaveObject(folder.File("built.ddd").c_str(), 100), 1);
        return ReadWholeFile(folder.File("built.ddd"));
    }
    // Writes the file anew: in place with a modification time of its own (two writes within one
    // tick of the file system's clock look alike otherwise), or as editors save, renaming a new
    // file with the old one's size and times over it, so only its being another file shows.
    void Save(const std::string& path, const std::string& bytes, bool byRename = false) {
        struct stat old;
        ASSERT_EQ(stat(path.c_str(), &old), 0);
        const std::string target = byRename ? path + ".new" : path;
        WriteWholeFile(target, bytes);
        const timespec times[2] = {{0, UTIME_OMIT},
                                   byRename ? old.st_mtim : timespec{1000000 + ++saves, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, target.c_str(), times, 0), 0);
        ASSERT_EQ(byRename ? std::rename(target.c_str(), path.c_str()) : 0, 0);
    }

    TempDir folder;
    ScopedTmpDir logHere{folder.Path() + "/"};
    os::HeadlessAudio* audio = nullptr;
    bool watching = true;
    int saves = 0;
};

TEST_F(HotReloadTest, ChangedFilesReloadAtTheFlipAndBrokenOnesKeepTheOldAsset) {
    // Each kind (its file named by its key): two good versions, its load, and what tells them
    // apart (by hand: the pixel's colour, the triangles' corners, the stereo samples).
    const struct {
        std::string key, first, second;
        double (*load)(const char* file);
        std::function<double()> probe;
        double showsFirst, showsSecond;
    } kinds[] = {
        {"sprite 5", Bmp(0x0000FF), Bmp(0xFF0000), [](const char* f) { return LoadSprite(f, 5); },
         [] { return DrawSprite(5, 0, 0), ReadPixel(0, 0); }, 0x0000FF, 0xFF0000},
        {"object 3", Strip(3), Strip(5), [](const char* f) { return LoadObject(f, 3); },
         [] { return Rt().objects->Slot(3)->parts[0].frames[0].triangles.Count(); }, 3, 9},
        {"sound 2", Wav(10), Wav(30), [](const char* f) { return LoadSound(f, 2, 2); },
         [this] { return audio->lastChunkSamples.size(); }, 20, 60},
        {"shader 1", "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n",
         "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n",
         [](const char* f) { return LoadShader(1, "", f); },
         [] { return UseShader(1), DrawRect(0, 0, 4, 4, 0), ReadPixel(1, 1); }, 0x00FF00, 0x0000FF},
    };
    for (const auto& kind : kinds) {
        const std::string file = folder.Write(kind.key, kind.first);
        ASSERT_EQ(kind.load(file.c_str()), 1);
        Save(file, kind.second);
        EXPECT_EQ(kind.probe(), kind.showsFirst) << "only the frame flip reloads";
        PresentFrame();
        EXPECT_EQ(kind.probe(), kind.showsSecond);
        // A half-written file is refused once, not once a frame; the finished one is taken.
        Save(file, kind.first.substr(0, kind.first.size() / 2));
        PresentFrame();
        PresentFrame();
        EXPECT_EQ(kind.probe(), kind.showsSecond);
        const std::string log = ReadWholeFile(folder.File("ErrorLog.txt"));
        const std::string refused = "Reload(\"" + file + "\"): ";
        EXPECT_TRUE(log.find(refused) != log.npos && log.find(refused) == log.rfind(refused) &&
                    log.find(kind.key + " stays as it was") != log.npos)
            << log;
        Save(file, kind.first);
        PresentFrame();
        EXPECT_EQ(kind.probe(), kind.showsFirst);
        Save(file, kind.second, true);
        PresentFrame();
        EXPECT_EQ(kind.probe(), kind.showsSecond) << "replaced by a rename";
    }
    // Deleting a sprite ends its watch; without the setting there is no watcher at all.
    DeleteSprite(5);
    EXPECT_FALSE(Rt().watcher->Watching("sprite 5"));
    watching = false;
    TearDown();
    SetUp();
    EXPECT_EQ(Rt().watcher, nullptr);
}

// Two files a call: five changed files take three calls, each seen once, none starved.
TEST(FileWatcherTest, EachPollLooksAtItsShareOfTheFiles) {
    TempDir folder;
    files::FileWatcher watcher(2);
    for (const std::string key : {"a", "b", "c", "d", "e"}) {
        watcher.Watch(key, {folder.Write(key, key)}, [] { return std::string(); });
        WriteWholeFile(folder.File(key), "changed");
    }
    for (int expected : {2, 2, 1, 0, 0, 0})
        EXPECT_EQ(watcher.Poll(), expected);
}

} // namespace
