// Binary object files: loading, saving byte for byte, and rejecting broken files; model sets,
// ";DDW" INI files listing textures and the object files of their parts (their textures are
// tested with the drawing tests).
#include <sys/stat.h>

#include "ObjectTestSupport.h"
#include "gfx3d/CollisionCommands.h"

namespace {

using BinaryObjectTest = ObjectTest;

// Saved again, a loaded file gives the same bytes, also under a name that separates folders
// with "\\" as game code may write it. A failed load says why in the log: a file that is
// nowhere leaves the slot as it was, one that is there but holds nothing empties it.
TEST_F(BinaryObjectTest, LoadsAndSavesTheSameBytesAndOnlyAFoundFileEmptiesTheSlot) {
    const std::vector<uint8_t> original = SampleBinaryObject();
    ASSERT_EQ(LoadObject(folder.Write("sample.ddd", original).c_str(), 7), 1);
    ASSERT_EQ(mkdir(folder.File("sub").c_str(), 0755), 0);
    const std::string copy = folder.File("sub") + "\\copy.ddd";
    ASSERT_EQ(SaveObject(copy.c_str(), 7), 1);
    EXPECT_EQ(ReadWholeFile(folder.File("sub/copy.ddd")),
              std::string(original.begin(), original.end()));
    EXPECT_EQ(LoadObject(copy.c_str(), 4095.9), 1);
    EXPECT_EQ(Log(), "");
    for (const std::string& path : {folder.File("no/such/folder/x.ddd"), std::string("/dev/full")})
        EXPECT_EQ(SaveObject(path.c_str(), 7), 0) << path;
    EXPECT_EQ(SaveObject(folder.File("x.ddd").c_str(), 6), 0) << "an empty slot";
    EXPECT_EQ(SaveObject(folder.File("x.ddd").c_str(), 4096), 0);
    EXPECT_EQ(LoadObject(copy.c_str(), -1) + LoadObject(copy.c_str(), 4096), 0);

    const std::string absent = folder.File("absent.ddd");
    EXPECT_EQ(LoadObject(absent.c_str(), 7), 0);
    EXPECT_EQ(Slot(7).loaded, 1);
    const std::string empty =
        folder.Write("empty.ddd", DddBytes().Header(1, 0, 0).FrameHeader(0, 0, 1).bytes);
    EXPECT_EQ(LoadObject(empty.c_str(), 7), 0);
    EXPECT_EQ(Slot(7).loaded, 0);
    EXPECT_EQ(Log(), "LoadObject(\"" + absent + "\"): not found\r\nLoadObject(\"" + empty +
                         "\"): holds no vertices\r\n");
}

// Each broken variant of the sample must fail with a read error and leave the slot empty. The
// sample holds a header of 24 bytes (frames at byte 12, colours at 16, texture pairs at 20), 3
// colours, 12 pairs of 8 bytes, then its one frame: the record count at byte 132, offset and
// scale, and 12 records of 5 bytes from byte 160 (normal index, then colour index last).
TEST_F(BinaryObjectTest, BrokenFilesAreRejected) {
    const std::vector<uint8_t> good = SampleBinaryObject();
    // The sample with a little-endian number of some bytes put at a byte offset.
    auto patched = [&](size_t at, uint32_t value, int size = 4) {
        std::vector<uint8_t> bytes = good;
        for (int i = 0; i < size; ++i)
            bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
        return bytes;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    // The sample with a second frame of its own record count.
    auto twoFrames = [&](int records) {
        DddBytes file{patched(12, 2)};
        file.FrameHeader(records, 0, 1);
        for (int i = 0; i < records; ++i)
            file.Bytes({uint8_t(i), uint8_t(i), 0, 5, 0});
        return file.bytes;
    };
    const std::pair<const char*, std::vector<uint8_t>> rows[] = {
        {"frame record counts differ", twoFrames(11)},
        {"pairs differ from records", patched(20, 11)},
        {"normal index 162", patched(168, 162, 1)},
        {"colour index beyond the table", patched(169, 3, 1)},
        {"wrong version", patched(4, 0xA0000000u)}, // 1.0200001
        {"negative frames", patched(12, 0xFFFFFFFFu)},
        {"absurd colour count", patched(16, 0x40000000u)},
        {"absurd frame count", patched(12, 0x7FFFFFFFu)},
        {"cut in the header", cut(18)},
        {"cut in the colour table", cut(26)},
        {"cut in the records", cut(good.size() - 3)},
        {"cut in a frame header", cut(142)},
    };
    ASSERT_EQ(LoadObject(folder.Write("ok.ddd", twoFrames(12)).c_str(), 0), 1);
    int id = 100;
    for (const auto& [reason, bytes] : rows) {
        SCOPED_TRACE(reason);
        const std::string path = folder.Write("broken.ddd", bytes);
        ExpectRefused(path, id++,
                      (reason == std::string("wrong version") ? "Wrong .ddd version.\r\n" : "") +
                          std::string("# read error\r\n") + path + "\r\n");
    }
}

// Parts load from either file form; a part whose file is missing or broken stays empty (and a
// broken one is logged), the set still loads, and saving writes the first part. The parts
// answer queries as one object: the wing's triangle lies at z = 0 over (0, 0), (5, 0), (0, 5),
// the body's first at z = -5 over (0, -5), (5, -5), (0, 10), so a ray along z through (1, 1)
// meets the nearer part first, and a sphere on the wing alone touches the set. Without counts
// a set is a loaded slot without parts.
TEST_F(BinaryObjectTest, LoadsEveryPartItCanAndSavesTheFirst) {
    const std::vector<uint8_t> body = SampleBinaryObject();
    folder.Write("body.ddd", body);
    folder.Write("wing.txt", "DDDA 1.0 0 1 10 20 30 3 0 0 1 0 2 0 1 3 0 0 0 5 0 0 0 5 0\n");
    folder.Write("bad.ddd", "DDDA 7.5");
    const std::string set = folder.Write("crab.set", ";DDW model set\r\n[Textures]\r\nCount=1\r\n"
                                                     "1=shell.bmp\r\n[OBJECTS]\r\ncount=4\r\n"
                                                     "1=body.ddd\r\n1ta=1\r\n2=wing.txt\r\n"
                                                     "3=missing.ddd\r\n4=bad.ddd\r\n");
    ASSERT_EQ(LoadObject(set.c_str(), 12), 1);
    ObjectSlot& slot = Slot(12);
    ASSERT_EQ(slot.parts.Count(), 4);
    const int corners[] = {12, 3, 0, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(slot.parts[i].frames.Count() ? slot.parts[i].frames[0].triangles.Count() : 0,
                  corners[i])
            << "part " << i;
    EXPECT_EQ(Log(), "# read error\r\n" + folder.File("bad.ddd") + "\r\n");
    EXPECT_FLOAT_EQ(ObjectRayDistance(12, 0, 1, 1, 50, 0, 0, -1), 50);
    EXPECT_FLOAT_EQ(ObjectRayDistance(12, 0, 1, 1, -50, 0, 0, 1), 45);
    EXPECT_EQ(ObjectCollidesSphere(12, 0, 1, 1, 0, 1), 1);
    ASSERT_EQ(SaveObject(folder.File("first.ddd").c_str(), 12), 1);
    EXPECT_EQ(ReadWholeFile(folder.File("first.ddd")), std::string(body.begin(), body.end()));

    ASSERT_EQ(LoadObject(folder.Write("empty.set", ";DDW\n[objects]\n1=body.ddd\n").c_str(), 4), 1);
    EXPECT_EQ(Slot(4).loaded, 1);
    EXPECT_EQ(Slot(4).parts.Count() + Slot(4).textures.Count(), 0);
}

} // namespace
