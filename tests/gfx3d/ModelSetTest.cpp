// Model sets: ";DDW" INI files listing textures and the object files of their parts.
#include "ObjectTestSupport.h"

#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx3d/ObjectCommands.h"
#include "support/TestRuntime.h"

namespace {

class ModelSetTest : public ObjectTest {};

const char kTextPart[] = "DDDA 1.0 0 1 10 20 30 3 0 0 1 0 2 0 1 3 0 0 0 5 0 0 0 5 0\n";

TEST_F(ModelSetTest, LoadsItsPartsWithTheirTextureIndices) {
    WriteFile("body.ddd", SampleBinaryObject());
    WriteFile("wing.txt", std::string(kTextPart));
    const std::string set = WriteFile("crab.set", std::string(";DDW model set\r\n"
                                                              "[Textures]\r\n"
                                                              "Count=1\r\n"
                                                              "1=shell.bmp\r\n"
                                                              "[OBJECTS]\r\n"
                                                              "count=3\r\n"
                                                              "1=body.ddd\r\n"
                                                              "1ta=1\r\n"
                                                              "1tb=2\r\n"
                                                              "2=wing.txt\r\n"
                                                              "3=missing.ddd\r\n"
                                                              "3ta=-4\r\n"));
    ASSERT_EQ(LoadObject(set.c_str(), 12), 1);
    ObjectSlot& slot = Slot(12);
    EXPECT_EQ(slot.loaded, 1);
    EXPECT_EQ(slot.modelSet, 1);
    // Without a GL context the texture list has its entries but no textures.
    ASSERT_EQ(slot.textures.Count(), 1);
    EXPECT_EQ(slot.textures[0], 0u);
    ASSERT_EQ(slot.parts.Count(), 3);
    EXPECT_EQ(slot.parts[0].frames[0].triangles.Count(), 12);
    EXPECT_EQ(slot.parts[0].textureA, 0);
    EXPECT_EQ(slot.parts[0].textureB, 1);
    EXPECT_EQ(slot.parts[1].frames[0].triangles.Count(), 3);
    EXPECT_EQ(slot.parts[1].textureA, 0);
    EXPECT_GT(slot.parts[1].frames[0].radius, 0.0f);
    // A part whose file is missing stays empty; the set still loads.
    EXPECT_EQ(slot.parts[2].frames.Count(), 0);
    EXPECT_EQ(slot.parts[2].textureA, -4);

    // Saving writes the first part.
    ASSERT_EQ(SaveObject(PathOf("first.ddd").c_str(), 12), 1);
    EXPECT_EQ(ReadFile(PathOf("first.ddd")), SampleBinaryObject());
}

TEST_F(ModelSetTest, MissingCountsGiveALoadedSlotWithoutParts) {
    const std::string set = WriteFile("empty.set", std::string(";DDW\n[objects]\n1=body.ddd\n"));
    ASSERT_EQ(LoadObject(set.c_str(), 4), 1);
    EXPECT_EQ(Slot(4).loaded, 1);
    EXPECT_EQ(Slot(4).modelSet, 1);
    EXPECT_EQ(Slot(4).parts.Count(), 0);
    EXPECT_EQ(Slot(4).textures.Count(), 0);
}

TEST_F(ModelSetTest, BrokenPartIsLoggedAndLeftEmpty) {
    WriteFile("bad.ddd", std::string("DDDA 7.5"));
    const std::string set =
        WriteFile("set.set", std::string(";DDW\n[objects]\ncount=1\n1=bad.ddd\n"));
    ASSERT_EQ(LoadObject(set.c_str(), 4), 1);
    ASSERT_EQ(Slot(4).parts.Count(), 1);
    EXPECT_EQ(Slot(4).parts[0].frames.Count(), 0);
    EXPECT_EQ(Log(), "# read error\r\n" + PathOf("bad.ddd") + "\r\n");
}

class GlModelSetTest : public GlRuntimeTest {
  protected:
    TempDir folder;
};

TEST_F(GlModelSetTest, TexturesAreCreatedAndReleased) {
    gfx2d::SavedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.bgrBottomUp.assign(3 * 3 * 2, 200);
    ASSERT_TRUE(gfx2d::WriteBmpFile(folder.File("skin.bmp"), picture));
    std::FILE* file = std::fopen(folder.File("set.set").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(";DDW\n[textures]\ncount=2\n1=skin.bmp\n2=none.bmp\n", file);
    std::fclose(file);

    ASSERT_EQ(LoadObject(folder.File("set.set").c_str(), 1), 1);
    ObjectSlot& slot = *Rt().objects->Slot(1);
    ASSERT_EQ(slot.textures.Count(), 2);
    const GLuint texture = slot.textures[0];
    EXPECT_NE(texture, 0u);
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_EQ(slot.textures[1], 0u);

    // Loading a missing file leaves the slot alone; loading a file that is there empties it
    // first, textures included.
    ASSERT_EQ(LoadObject(folder.File("none.ddd").c_str(), 1), 0);
    EXPECT_TRUE(glIsTexture(texture));
    file = std::fopen(folder.File("broken.ddd").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ASSERT_EQ(LoadObject(folder.File("broken.ddd").c_str(), 1), 0);
    EXPECT_FALSE(glIsTexture(texture));
}

} // namespace
