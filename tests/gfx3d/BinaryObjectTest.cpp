// Binary object files: loading, saving byte for byte, and rejecting broken files.
#include "ObjectTestSupport.h"

#include <sys/stat.h>

#include "gfx3d/ObjectCommands.h"

namespace {

class BinaryObjectTest : public ObjectTest {};

// Saved again, a loaded file gives the same bytes, also under a name that separates folders
// with "\\" as game code may write it.
TEST_F(BinaryObjectTest, LoadsAndSavesTheSameBytes) {
    const std::vector<uint8_t> original = SampleBinaryObject();
    ASSERT_EQ(LoadObject(folder.Write("sample.ddd", original).c_str(), 7), 1);
    ASSERT_EQ(mkdir(folder.File("sub").c_str(), 0755), 0);
    ASSERT_EQ(SaveObject((folder.File("sub") + "\\copy.ddd").c_str(), 7), 1);
    EXPECT_EQ(ReadWholeFile(folder.File("sub/copy.ddd")),
              std::string(original.begin(), original.end()));
    EXPECT_EQ(LoadObject((folder.File("sub") + "\\copy.ddd").c_str(), 4095.9), 1);
    EXPECT_EQ(Log(), "");

    for (const std::string& path : {folder.File("no/such/folder/x.ddd"), std::string("/dev/full")})
        EXPECT_EQ(SaveObject(path.c_str(), 7), 0) << path;
    EXPECT_EQ(SaveObject(folder.File("empty.ddd").c_str(), 6), 0) << "an empty slot";
    EXPECT_EQ(SaveObject(folder.File("x.ddd").c_str(), 4096), 0);
    EXPECT_EQ(LoadObject(folder.File("sub/copy.ddd").c_str(), -1), 0);
    EXPECT_EQ(LoadObject(folder.File("sub/copy.ddd").c_str(), 4096), 0);
}

// Each broken variant of a valid file must fail with a read error and leave the slot empty.
TEST_F(BinaryObjectTest, BrokenFilesAreRejected) {
    struct Shape {
        int frames = 2, colours = 1, pairs = 3, records0 = 3, records1 = 3;
        uint8_t normal = 161, colour = 0;
        uint32_t versionLow = 0x851EB852u;
    };
    const auto file = [](const Shape& shape) {
        DddBytes file;
        file.Header(shape.frames, shape.colours, shape.pairs, shape.versionLow);
        for (int i = 0; i < shape.colours; ++i)
            file.U32(0x00FF00);
        for (int i = 0; i < shape.pairs; ++i)
            file.F32(0).F32(0);
        for (int f = 0; f < shape.frames; ++f) {
            const int records = f == 0 ? shape.records0 : shape.records1;
            file.FrameHeader(records, 0, 1);
            for (int i = 0; i < records; ++i)
                file.Record(i, i * 2, 0, shape.normal, shape.colour);
        }
        return file.bytes;
    };
    const std::vector<uint8_t> good = file({});
    // The good file with a little-endian word put at a byte offset, or cut after some bytes.
    auto patched = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i)
            bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
        return bytes;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    Shape shape[5];
    shape[0].records1 = 4;
    shape[1].pairs = 4;
    shape[2].normal = 162;
    shape[3].colour = 1;
    shape[4].versionLow = 0xA0000000u; // 1.0200001
    const struct {
        const char* reason;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {"frame record counts differ", file(shape[0])},
        {"pairs differ from records", file(shape[1])},
        {"normal index 162", file(shape[2])},
        {"colour index beyond the table", file(shape[3])},
        {"wrong version", file(shape[4])},
        {"negative frames", patched(12, 0xFFFFFFFFu)},
        {"absurd colour count", patched(16, 0x40000000u)},
        {"absurd frame count", patched(12, 0x7FFFFFFFu)},
        {"negative records", patched(24 + 4 + 24, 0xFFFFFFFBu)},
        {"cut in the header", cut(18)},
        {"cut in the colour table", cut(26)},
        {"cut in the records", cut(good.size() - 3)},
        {"cut in a frame header", cut(24 + 4 + 24 + 28 + 15 + 10)},
    };
    ASSERT_EQ(LoadObject(folder.Write("ok.ddd", good).c_str(), 0), 1);
    int id = 100;
    for (const auto& row : rows) {
        const std::string path = folder.Write("broken.ddd", row.bytes);
        const std::string logBefore = Log();
        EXPECT_EQ(LoadObject(path.c_str(), id), 0) << row.reason;
        EXPECT_EQ(Log().substr(logBefore.size()),
                  (row.reason == std::string("wrong version") ? "Wrong .ddd version.\r\n" : "") +
                      std::string("# read error\r\n") + path + "\r\n")
            << row.reason;
        EXPECT_EQ(Slot(id).loaded + Slot(id).parts.Count(), 0) << row.reason;
        ++id;
    }
}

// A file that is nowhere leaves the slot as it was; one that is there but holds nothing
// empties it. Both say why in the log.
TEST_F(BinaryObjectTest, FailedLoadsAreLoggedAndOnlyAFoundFileEmptiesTheSlot) {
    ASSERT_EQ(LoadObject(folder.Write("sample.ddd", SampleBinaryObject()).c_str(), 9), 1);
    const std::string absent = folder.File("absent.ddd");
    EXPECT_EQ(LoadObject(absent.c_str(), 9), 0);
    EXPECT_EQ(Slot(9).loaded, 1);
    DddBytes file;
    file.Header(1, 0, 0).FrameHeader(0, 0, 1);
    const std::string empty = folder.Write("empty.ddd", file.bytes);
    EXPECT_EQ(LoadObject(empty.c_str(), 9), 0);
    EXPECT_EQ(Slot(9).loaded, 0);
    EXPECT_EQ(Log(), "LoadObject(\"" + absent + "\"): not found\r\nLoadObject(\"" + empty +
                         "\"): holds no vertices\r\n");
}

} // namespace
