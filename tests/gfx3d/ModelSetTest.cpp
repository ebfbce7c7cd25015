// Model sets: ";DDW" INI files listing textures and the object files of their parts. How their
// textures are drawn is tested with the drawing tests.
#include "ObjectTestSupport.h"

#include "gfx3d/ObjectCommands.h"

namespace {

class ModelSetTest : public ObjectTest {};

// Parts load from either file form; a part whose file is missing or broken stays empty (and a
// broken one is logged), the set still loads, and saving writes the first part.
TEST_F(ModelSetTest, LoadsEveryPartItCanAndSavesTheFirst) {
    folder.Write("body.ddd", SampleBinaryObject());
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

    ASSERT_EQ(SaveObject(folder.File("first.ddd").c_str(), 12), 1);
    const std::vector<uint8_t> first = SampleBinaryObject();
    EXPECT_EQ(ReadWholeFile(folder.File("first.ddd")), std::string(first.begin(), first.end()));
}

TEST_F(ModelSetTest, MissingCountsGiveALoadedSlotWithoutParts) {
    ASSERT_EQ(LoadObject(folder.Write("empty.set", ";DDW\n[objects]\n1=body.ddd\n").c_str(), 4), 1);
    EXPECT_EQ(Slot(4).loaded, 1);
    EXPECT_EQ(Slot(4).parts.Count() + Slot(4).textures.Count(), 0);
}

} // namespace
