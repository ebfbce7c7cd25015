// Resource packs: both compression methods, the lookup that falls back from disk to a pack,
// the temporary copies, damaged packs and the pack tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "FileTestSupport.h"
#include "app/Startup.h"
#include "core/Runtime.h"
#include "files/FileCommands.h"
#include "files/ResourceLookup.h"
#include "files/ResourcePack.h"

namespace {

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator());
    return bytes;
}

std::string SampleText() {
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "Crab " + std::to_string(i) + " walks to the water; the virus spreads.\r\n";
    return text;
}

// Text, binary, empty and highly repetitive contents.
std::vector<PackSource> SampleSources() {
    std::string structured;
    for (int i = 0; i < 30000; ++i)
        structured += static_cast<char>((i * i) % 251);
    return {{"bmp/virus.bmp", RandomBytes(5000, 1) + std::string(3000, '\0')},
            {"ddd/crab.ddd", structured},
            {"readme.txt", SampleText()},
            {"empty.dat", ""},
            {"one.dat", "x"},
            {"wav/long.wav", std::string(70000, 'a') + RandomBytes(3000, 2)}};
}

const PackMethod kMethods[] = {PackMethod::Dictionary, PackMethod::Deflate};

TEST(PackCodecTest, BothMethodsGiveBackEveryByte) {
    for (PackMethod method : kMethods) {
        for (const PackSource& source : SampleSources()) {
            const std::string packed =
                PackCompress(method, source.content.data(), source.content.size());
            std::string expanded;
            ASSERT_TRUE(PackExpand(static_cast<uint16_t>(method), packed.data(), packed.size(),
                                   source.content.size(), expanded))
                << source.name;
            EXPECT_EQ(expanded, source.content) << source.name;
        }
    }
    // The dictionary coder really finds repeats: text shrinks to well under half.
    const std::string text = SampleText();
    EXPECT_LT(PackCompress(PackMethod::Dictionary, text.data(), text.size()).size(),
              text.size() / 2);
}

TEST(PackCodecTest, BrokenStreamsAreRefused) {
    const std::string text = SampleText();
    for (PackMethod method : kMethods) {
        const uint16_t code = static_cast<uint16_t>(method);
        const std::string packed = PackCompress(method, text.data(), text.size());
        std::string out;
        for (size_t cut = 0; cut < packed.size(); cut += 7)
            EXPECT_FALSE(PackExpand(code, packed.data(), cut, text.size(), out)) << cut;
        const std::string longer = packed + "zz";
        EXPECT_FALSE(PackExpand(code, longer.data(), longer.size(), text.size(), out));
        EXPECT_FALSE(PackExpand(code, packed.data(), packed.size(), text.size() - 1, out));
        EXPECT_FALSE(PackExpand(code, packed.data(), packed.size(), text.size() + 1, out));
    }
    std::string out;
    EXPECT_FALSE(PackExpand(3, "abc", 3, 3, out));
    // A match that reaches back before the start of the output.
    const char backReference[] = {'\x01', 'a', '\x05', '\x00'};
    EXPECT_FALSE(PackExpand(1, backReference, sizeof(backReference), 4, out));
}

// A pack in the current folder made of the samples; also writes each sample into "src/".
class PackLookupTest : public TempFolderTest {
  protected:
    void MakePack(PackMethod method, const std::string& packName = "game.sbx") {
        std::string error;
        const std::string pack = BuildPack(SampleSources(), method, error);
        ASSERT_FALSE(pack.empty()) << error;
        WriteTestFile(packName, pack);
    }
    // Resolves through the command of game code and gives the file's content.
    std::string Lookup(const std::string& name, double expectedResult = 1.0) {
        RtString out("unchanged");
        EXPECT_EQ(ResolveResourceFile(RtString(name.c_str()), out), expectedResult) << name;
        lastPath = out.CText();
        return expectedResult == 1.0 ? ReadTestFile(lastPath) : "";
    }
    std::string lastPath;
};

TEST_F(PackLookupTest, FilesAbsentFromDiskComeFromThePackInEitherMethod) {
    for (PackMethod method : kMethods) {
        MakePack(method);
        SetResourcePacks("game.sbx", "");
        for (const PackSource& source : SampleSources()) {
            EXPECT_EQ(Lookup(source.name), source.content) << source.name;
            EXPECT_EQ(lastPath.rfind(Rt().settings.tempDirectory + "sbx", 0), 0u) << lastPath;
        }
        // Names are compared without regard to case, with either separator.
        EXPECT_EQ(Lookup("BMP\\Virus.BMP"), SampleSources()[0].content);
        Lookup("bmp/missing.bmp", 0.0);
        EXPECT_EQ(lastPath, "");
    }
}

TEST_F(PackLookupTest, TemporaryCopyIsNamedByItsEntryAndGoneAfterTheNextLookup) {
    MakePack(PackMethod::Deflate);
    const int fd = open("game.sbx", O_RDONLY);
    std::vector<PackEntry> entries;
    ASSERT_TRUE(ReadPackIndex(fd, entries));
    close(fd);
    ASSERT_EQ(entries.size(), SampleSources().size());

    SetResourcePacks("game.sbx", "game.sbx");
    Lookup("ddd/crab.ddd");
    const std::string first = lastPath;
    const std::string letters = {static_cast<char>('a' + entries[1].offset % 26),
                                 static_cast<char>('a' + entries[1].size % 26)};
    EXPECT_EQ(first.rfind(Rt().settings.tempDirectory + "sbx" + letters, 0), 0u) << first;
    EXPECT_EQ(first.substr(first.size() - 4), ".ddd");
    ASSERT_TRUE(TestFileExists(first));

    // The next lookup deletes it, even when that one finds its file on disk.
    WriteTestFile("ondisk.txt", "disk");
    EXPECT_EQ(Lookup("ondisk.txt"), "disk");
    EXPECT_EQ(lastPath, "ondisk.txt");
    EXPECT_FALSE(TestFileExists(first));

    // Naming the packs again deletes it too.
    Lookup("readme.txt");
    const std::string second = lastPath;
    ASSERT_TRUE(TestFileExists(second));
    SetResourcePacks("game.sbx", "");
    EXPECT_FALSE(TestFileExists(second));

    // And so does shut-down.
    Lookup("empty.dat");
    const std::string third = lastPath;
    ASSERT_TRUE(TestFileExists(third));
    EXPECT_EQ(ReadTestFile(third), "");
    ShutdownRuntime();
    EXPECT_FALSE(TestFileExists(third));
}

TEST_F(PackLookupTest, AFileOnDiskWinsOverThePackAndNothingIsExtracted) {
    MakePack(PackMethod::Dictionary);
    SetResourcePacks("game.sbx", "");
    ASSERT_EQ(mkdir("bmp", 0755), 0);
    WriteTestFile("bmp/virus.bmp", "the disk copy");
    EXPECT_EQ(Lookup("bmp\\virus.bmp"), "the disk copy");
    EXPECT_EQ(lastPath, "bmp/virus.bmp");
    // The loaders' lookup: the disk path, the temporary copy, or the name itself when missing.
    EXPECT_EQ(ResolveResourceFile(std::string("bmp\\virus.bmp")), "bmp/virus.bmp");
    EXPECT_EQ(ReadTestFile(ResolveResourceFile(std::string("wav/long.wav"))),
              SampleSources()[5].content);
    EXPECT_EQ(ResolveResourceFile(std::string("wav\\none.wav")), "wav/none.wav");
}

TEST_F(PackLookupTest, WithoutAPackOnlyDiskFilesAreFound) {
    SetResourcePacks("", "");
    WriteTestFile("here.txt", "x");
    EXPECT_EQ(Lookup("here.txt"), "x");
    Lookup("elsewhere.txt", 0.0);
    Lookup("", 0.0);
    // Start-up names the program's folder as the pack: a folder is no pack.
    SetResourcePacks(Folder().c_str(), Folder().c_str());
    Lookup("elsewhere.txt", 0.0);
    SetResourcePacks("missing.sbx", "");
    Lookup("elsewhere.txt", 0.0);
}

uint32_t Crc(const std::string& bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

void Put32At(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Rewrites a pack's index checksum after an index byte was changed, so that the reader's own
// bounds checks are what must refuse it.
void ResealIndex(std::string& pack) {
    const uint32_t offset = static_cast<unsigned char>(pack[4]) |
                            static_cast<unsigned char>(pack[5]) << 8 |
                            static_cast<unsigned char>(pack[6]) << 16 |
                            static_cast<uint32_t>(static_cast<unsigned char>(pack[7])) << 24;
    Put32At(pack, 12, Crc(pack.substr(offset)));
}

TEST_F(PackLookupTest, DamagedPacksFindNothingAndNeverCrash) {
    std::string error;
    const std::vector<PackSource> sources = {{"a.txt", SampleText()}, {"b.bin", "bb"}};
    const std::string pack = BuildPack(sources, PackMethod::Dictionary, error);
    ASSERT_FALSE(pack.empty());
    SetResourcePacks("bad.sbx", "");
    auto expectRefused = [&](const std::string& damaged, const char* what) {
        WriteTestFile("bad.sbx", damaged);
        SetResourcePacks("bad.sbx", ""); // forget the index read before
        RtString out;
        const double found = ResolveResourceFile("a.txt", out);
        if (found == 1.0)
            EXPECT_EQ(ReadTestFile(out.CText()), sources[0].content) << what;
        else
            EXPECT_STREQ(out.CText(), "") << what;
        return found;
    };
    // Truncated anywhere: the index lies at the end, so every cut loses it.
    for (size_t cut = 0; cut < pack.size(); cut += 13)
        EXPECT_EQ(expectRefused(pack.substr(0, cut), "truncated"), 0.0) << cut;
    // Any single damaged byte is caught by a check or changes nothing that matters.
    for (size_t at = 0; at < pack.size(); at += 5) {
        std::string damaged = pack;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        expectRefused(damaged, "flipped byte");
    }
    const uint32_t indexAt = static_cast<uint32_t>(pack.size() - (4 + 2 * 18 + 5 + 5 + 2));
    // Entry data beyond the index, a name that runs past its entry, an absurd entry count.
    std::string beyond = pack;
    Put32At(beyond, indexAt + 4 + 1 + 5, static_cast<uint32_t>(pack.size()));
    ResealIndex(beyond);
    EXPECT_EQ(expectRefused(beyond, "offset beyond"), 0.0);
    std::string longName = pack;
    longName[indexAt + 4] = '\xFF';
    ResealIndex(longName);
    EXPECT_EQ(expectRefused(longName, "name too long"), 0.0);
    std::string manyEntries = pack;
    Put32At(manyEntries, indexAt, 0xFFFFFFFFu);
    ResealIndex(manyEntries);
    EXPECT_EQ(expectRefused(manyEntries, "entry count"), 0.0);
    std::string hugeSize = pack;
    Put32At(hugeSize, indexAt + 4 + 1 + 5 + 4 + 4 + 2, 0xFFFFFFF0u);
    ResealIndex(hugeSize);
    EXPECT_EQ(expectRefused(hugeSize, "expanded size"), 0.0);
    // The untouched pack still works.
    EXPECT_EQ(expectRefused(pack, "intact"), 1.0);
}

TEST_F(PackLookupTest, PackToolBuildsPacksTheLookupFinds) {
    const std::string tool = std::string(VORNIC_TEST_BINARY_DIR) + "/../tools/packtool/packtool";
    if (access(tool.c_str(), X_OK) != 0) GTEST_SKIP() << "packtool not built";
    ASSERT_EQ(mkdir("assets", 0755), 0);
    ASSERT_EQ(mkdir("assets/bmp", 0755), 0);
    const std::vector<PackSource> sources = SampleSources();
    WriteTestFile("assets/bmp/virus.bmp", sources[0].content);
    WriteTestFile("assets/readme.txt", sources[2].content);
    WriteTestFile("assets/empty.dat", "");
    for (const char* method : {"lzss", "deflate"}) {
        const std::string create = tool + " create -m " + method +
                                   " -C assets tool.sbx bmp/virus.bmp readme.txt empty.dat"
                                   " > create.log 2>&1";
        ASSERT_EQ(std::system(create.c_str()), 0) << ReadTestFile("create.log");
        ASSERT_EQ(std::system((tool + " list tool.sbx > list.txt").c_str()), 0);
        const std::string listing = ReadTestFile("list.txt");
        EXPECT_NE(listing.find(" bmp/virus.bmp\n"), std::string::npos) << listing;
        EXPECT_NE(listing.find(method), std::string::npos) << listing;
        SetResourcePacks("tool.sbx", "");
        EXPECT_EQ(Lookup("bmp/virus.bmp"), sources[0].content);
        EXPECT_EQ(Lookup("README.TXT"), sources[2].content);
        EXPECT_EQ(Lookup("empty.dat"), "");
    }
    EXPECT_NE(std::system((tool + " list assets/readme.txt 2> /dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " create x.sbx missing.txt 2> /dev/null").c_str()), 0);
}

} // namespace
