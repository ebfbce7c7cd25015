// Binary object files: loading, saving byte for byte, and rejecting broken files.
#include "ObjectTestSupport.h"

#include <sys/stat.h>

#include "gfx3d/ObjectCommands.h"

namespace {

class BinaryObjectTest : public ObjectTest {};

TEST_F(BinaryObjectTest, LoadsAndSavesTheSameBytes) {
    const std::vector<uint8_t> original = SampleBinaryObject();
    const std::string path = WriteFile("sample.ddd", original);
    ASSERT_EQ(LoadObject(path.c_str(), 7), 1);
    ASSERT_EQ(SaveObject(PathOf("copy.ddd").c_str(), 7), 1);
    EXPECT_EQ(ReadFile(PathOf("copy.ddd")), original);
    EXPECT_EQ(Log(), "");
}

TEST_F(BinaryObjectTest, WrongVersionIsRejectedAndLogged) {
    DddBytes file;
    file.Byte(0x17).Byte(0xB3).Byte(0xC6).Byte(0x00).F64(1.0200001).U32(1).U32(1).U32(3);
    file.U32(0xFF).F32(0).F32(0).F32(0).F32(0).F32(0).F32(0).FrameHeader(3, 0, 1);
    file.Record(0, 0, 0, 0, 0).Record(1, 0, 0, 0, 0).Record(0, 1, 0, 0, 0);
    const std::string path = WriteFile("new.ddd", file.bytes);
    EXPECT_EQ(LoadObject(path.c_str(), 1), 0);
    EXPECT_EQ(Log(), "Wrong .ddd version.\r\n# read error\r\n" + path + "\r\n");
    EXPECT_EQ(Slot(1).loaded, 0);
    EXPECT_EQ(Slot(1).parts.Count(), 0);
}

// Each broken variant of a valid file must fail with a read error and leave the slot empty.
TEST_F(BinaryObjectTest, BrokenFilesAreRejected) {
    const auto valid = [](int frames, int colours, int pairs, int records0, int records1,
                          uint8_t normal, uint8_t colour) {
        DddBytes file;
        file.Header(frames, colours, pairs);
        for (int i = 0; i < colours; ++i)
            file.U32(0x00FF00);
        for (int i = 0; i < pairs; ++i)
            file.F32(0).F32(0);
        for (int f = 0; f < frames; ++f) {
            const int records = f == 0 ? records0 : records1;
            file.FrameHeader(records, 0, 1);
            for (int i = 0; i < records; ++i)
                file.Record(i, i * 2, 0, normal, colour);
        }
        return file.bytes;
    };
    // The valid file loads, so each variant below fails for its own reason only.
    ASSERT_EQ(LoadObject(WriteFile("ok.ddd", valid(2, 1, 3, 3, 3, 161, 0)).c_str(), 0), 1);

    std::vector<std::pair<std::string, std::vector<uint8_t>>> broken = {
        {"frame count differs", valid(2, 1, 3, 3, 4, 0, 0)},
        {"pairs differ from records", valid(1, 1, 4, 3, 3, 0, 0)},
        {"normal index 162", valid(1, 1, 3, 3, 3, 162, 0)},
        {"colour index beyond table", valid(1, 1, 3, 3, 3, 0, 1)},
        {"negative frames", valid(1, 1, 3, 3, 3, 0, 0)},
        {"absurd colour count", valid(1, 1, 3, 3, 3, 0, 0)},
        {"absurd frame count", valid(1, 1, 3, 3, 3, 0, 0)},
        {"negative records", valid(1, 1, 0, 0, 0, 0, 0)},
        {"cut in the header", {}},
        {"cut in the colour table", {}},
        {"cut in the records", {}},
        {"cut in a frame header", {}},
    };
    auto setU32 = [](std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    setU32(broken[4].second, 12, 0xFFFFFFFFu);
    setU32(broken[5].second, 16, 0x40000000u);
    setU32(broken[6].second, 12, 0x7FFFFFFFu);
    setU32(broken[7].second, 24 + 4, 0xFFFFFFFBu);
    const std::vector<uint8_t> good = valid(2, 1, 3, 3, 3, 0, 0);
    broken[8].second.assign(good.begin(), good.begin() + 18);
    broken[9].second.assign(good.begin(), good.begin() + 26);
    broken[10].second.assign(good.begin(), good.end() - 3);
    broken[11].second.assign(good.begin(), good.begin() + 24 + 4 + 24 + 28 + 15 + 10);

    int id = 100;
    for (const auto& [reason, bytes] : broken) {
        SCOPED_TRACE(reason);
        const std::string path = WriteFile("broken.ddd", bytes);
        const std::string logBefore = Log();
        EXPECT_EQ(LoadObject(path.c_str(), id), 0);
        EXPECT_EQ(Log().substr(logBefore.size()), "# read error\r\n" + path + "\r\n");
        EXPECT_EQ(Slot(id).loaded, 0);
        EXPECT_EQ(Slot(id).parts.Count(), 0);
        ++id;
    }
}

// A file that is nowhere leaves the slot as it was; one that is there but holds nothing
// empties it. Both say why in the log.
TEST_F(BinaryObjectTest, FailedLoadsAreLoggedAndOnlyAFoundFileEmptiesTheSlot) {
    ASSERT_EQ(LoadObject(WriteFile("sample.ddd", SampleBinaryObject()).c_str(), 9), 1);
    const std::string absent = PathOf("absent.ddd");
    EXPECT_EQ(LoadObject(absent.c_str(), 9), 0);
    EXPECT_EQ(Slot(9).loaded, 1);
    DddBytes file;
    file.Header(1, 0, 0).FrameHeader(0, 0, 1);
    const std::string empty = WriteFile("empty.ddd", file.bytes);
    EXPECT_EQ(LoadObject(empty.c_str(), 9), 0);
    EXPECT_EQ(Slot(9).loaded, 0);
    EXPECT_EQ(Log(), "LoadObject(\"" + absent + "\"): not found\r\nLoadObject(\"" + empty +
                         "\"): holds no vertices\r\n");
}

// Game code may write "\\" between folders when saving as when loading.
TEST_F(BinaryObjectTest, SavedNamesTakeBackslashesAsFolderSeparators) {
    ASSERT_EQ(LoadObject(WriteFile("sample.ddd", SampleBinaryObject()).c_str(), 4), 1);
    ASSERT_EQ(mkdir(PathOf("sub").c_str(), 0755), 0);
    const std::string name = PathOf("sub") + "\\copy.ddd";
    ASSERT_EQ(SaveObject(name.c_str(), 4), 1);
    EXPECT_EQ(ReadFile(PathOf("sub/copy.ddd")), SampleBinaryObject());
    EXPECT_EQ(LoadObject(name.c_str(), 5), 1);
}

TEST_F(BinaryObjectTest, IdsOutsideTheTableAreRefused) {
    const std::string path = WriteFile("sample.ddd", SampleBinaryObject());
    EXPECT_EQ(LoadObject(path.c_str(), -1), 0);
    EXPECT_EQ(LoadObject(path.c_str(), 4096), 0);
    EXPECT_EQ(LoadObject(path.c_str(), 4095.9), 1);
    EXPECT_EQ(SaveObject(PathOf("x.ddd").c_str(), 4096), 0);
}

TEST_F(BinaryObjectTest, SaveReportsFailure) {
    ASSERT_EQ(LoadObject(WriteFile("sample.ddd", SampleBinaryObject()).c_str(), 5), 1);
    EXPECT_EQ(SaveObject(PathOf("no/such/folder/x.ddd").c_str(), 5), 0);
    // An empty slot has nothing to write.
    EXPECT_EQ(SaveObject(PathOf("empty.ddd").c_str(), 6), 0);
    if (std::FILE* full = std::fopen("/dev/full", "wb")) {
        std::fclose(full);
        EXPECT_EQ(SaveObject("/dev/full", 5), 0);
    }
}

} // namespace
