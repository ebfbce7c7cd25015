// Resource packs: both compression methods, the lookup that falls back from disk to a pack,
// the temporary copies, damaged packs and the pack tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "FileTestSupport.h"
#include "app/Startup.h"
#include "files/FileCommands.h"
#include "files/LittleEndian.h"
#include "files/ResourcePack.h"

namespace {

// Text, binary, empty and highly repetitive contents.
std::vector<files::PackSource> SampleSources() {
    std::mt19937 generator(1);
    std::string structured, text, noise(8000, '\0');
    for (char& c : noise)
        c = static_cast<char>(generator());
    for (int i = 0; i < 30000; ++i)
        structured += static_cast<char>((i * i) % 251);
    for (int i = 0; i < 400; ++i)
        text += "Crab " + std::to_string(i) + " walks to the water; the virus spreads.\r\n";
    return {{"bmp/virus.bmp", noise.substr(0, 5000) + std::string(3000, '\0')},
            {"ddd/crab.ddd", structured},
            {"readme.txt", text},
            {"empty.dat", ""},
            {"one.dat", "x"},
            {"wav/long.wav", std::string(70000, 'a') + noise.substr(5000)}};
}

// Rewrites a pack's index checksum after an index byte was changed, so that the reader's own
// checks are what must refuse it.
void ResealIndex(std::string& pack) {
    const uint32_t offset = files::ReadLe32(pack.data() + 4);
    const std::string index = pack.substr(offset);
    std::string checksum;
    files::AppendLe32(checksum,
                      static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(index.data()),
                                                  static_cast<uInt>(index.size()))));
    pack.replace(12, 4, checksum);
}

// A pack of the samples as "game.sbx" in the current folder, and lookups through the command of
// game code.
class PackLookupTest : public TempFolderTest {
  protected:
    void MakePack(files::PackMethod method) {
        std::string error;
        const std::string pack = files::BuildPack(SampleSources(), method, error);
        ASSERT_FALSE(pack.empty()) << error;
        WriteWholeFile("game.sbx", pack);
    }
    // Resolves through the command of game code and gives the file's content.
    std::string Lookup(const std::string& name, double expectedResult = 1.0) {
        RtString out("unchanged");
        EXPECT_EQ(ResolveResourceFile(RtString(name.c_str()), out), expectedResult) << name;
        lastPath = out.CText();
        return expectedResult == 1.0 ? ReadWholeFile(lastPath) : "";
    }
    std::string lastPath;
};

TEST_F(PackLookupTest, FilesComeFromThePackInEitherMethodUnlessTheDiskHasThem) {
    // The dictionary coder finds repeats.
    const std::string text = SampleSources()[2].content;
    EXPECT_LT(files::PackCompress(files::PackMethod::Dictionary, text.data(), text.size()).size(),
              text.size() / 2);
    for (files::PackMethod method : {files::PackMethod::Dictionary, files::PackMethod::Deflate}) {
        MakePack(method);
        SetResourcePacks("game.sbx", "");
        for (const files::PackSource& source : SampleSources()) {
            EXPECT_EQ(Lookup(source.name), source.content) << source.name;
            EXPECT_EQ(lastPath.rfind(Rt().settings.tempDirectory + "sbx", 0), 0u) << lastPath;
        }
        // Names are compared without regard to case, with either separator.
        EXPECT_EQ(Lookup("BMP\\Virus.BMP"), SampleSources()[0].content);
        // Only whole names match.
        for (const char* missing : {"bmp/missing.bmp", "bmp/virus", "bmp/virus.bmpx", "one.da"})
            Lookup(missing, 0.0);
        EXPECT_EQ(lastPath, "");
    }
    // A file on disk wins over the pack, and nothing is extracted.
    ASSERT_EQ(mkdir("bmp", 0755), 0);
    WriteWholeFile("bmp/virus.bmp", "the disk copy");
    EXPECT_EQ(Lookup("bmp\\virus.bmp"), "the disk copy");
    EXPECT_EQ(lastPath, "bmp/virus.bmp");
    // Without a usable pack only disk files are found. Start-up names the program's folder as
    // the pack: a folder is no pack.
    for (const std::string& pack : {std::string(), Folder(), std::string("missing.sbx")}) {
        SetResourcePacks(pack.c_str(), pack.c_str());
        EXPECT_EQ(Lookup("bmp/virus.bmp"), "the disk copy") << pack;
        Lookup("readme.txt", 0.0);
        Lookup("", 0.0);
    }
}

// A temporary copy is gone after the next lookup (even one that finds its file on disk),
// after the packs are named again and after shut-down.
TEST_F(PackLookupTest, TemporaryCopyIsGoneAfterTheNextLookup) {
    MakePack(files::PackMethod::Deflate);
    SetResourcePacks("game.sbx", "game.sbx");
    WriteWholeFile("ondisk.txt", "disk");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"ddd/crab.ddd", [this] { EXPECT_EQ(Lookup("ondisk.txt"), "disk"); }},
        {"readme.txt", [] { SetResourcePacks("game.sbx", ""); }},
        {"empty.dat", [] { ShutdownRuntime(); }}};
    for (const auto& [name, next] : steps) {
        Lookup(name);
        const std::string copy = lastPath;
        ASSERT_TRUE(std::filesystem::exists(copy)) << name;
        EXPECT_EQ(copy.substr(copy.size() - 4), std::string(name).substr(std::strlen(name) - 4));
        next();
        EXPECT_FALSE(std::filesystem::exists(copy)) << name;
    }
}

TEST_F(PackLookupTest, PackToolBuildsPacksTheLookupFinds) {
    const std::string tool = std::string(VORNIC_TEST_BINARY_DIR) + "/../tools/packtool/packtool";
    if (access(tool.c_str(), X_OK) != 0) GTEST_SKIP() << "packtool not built";
    int status = 0;
    // Runs the tool and gives what it printed.
    const auto run = [&](const std::string& arguments) {
        status = std::system((tool + " " + arguments + " > out.txt 2>&1").c_str());
        return ReadWholeFile("out.txt");
    };
    std::filesystem::create_directories("assets/bmp");
    const std::vector<files::PackSource> sources = SampleSources();
    WriteWholeFile("assets/bmp/virus.bmp", sources[0].content);
    WriteWholeFile("assets/readme.txt", sources[2].content);
    for (const std::string method : {"lzss", "deflate"}) {
        const std::string created =
            run("create -m " + method + " -C assets tool.sbx bmp/virus.bmp readme.txt");
        ASSERT_EQ(status, 0) << created;
        const std::string listing = run("list tool.sbx");
        EXPECT_NE(listing.find(method), std::string::npos) << listing;
        SetResourcePacks("tool.sbx", "");
        EXPECT_EQ(Lookup("bmp/virus.bmp"), sources[0].content);
        EXPECT_EQ(Lookup("README.TXT"), sources[2].content);
    }
    // Names from the file cannot drive the terminal; an unknown method is named as such.
    std::string error;
    std::string hostile =
        files::BuildPack({{"red\x1b[31m.txt", "x"}}, files::PackMethod::Deflate, error);
    hostile[hostile.size() - (2 + 4 + 4)] = 7; // the method field of the last index entry
    ResealIndex(hostile);
    WriteWholeFile("hostile.sbx", hostile);
    const std::string listing = run("list hostile.sbx");
    EXPECT_EQ(status, 0);
    EXPECT_NE(listing.find(" unknown method 7 red\\x1b[31m.txt\n"), std::string::npos) << listing;
    run("list assets/readme.txt");
    EXPECT_NE(status, 0);
    run("create x.sbx missing.txt");
    EXPECT_NE(status, 0);
}

} // namespace
