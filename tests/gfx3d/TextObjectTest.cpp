// The "DDDA" text form: tokens, comments, versions, conversion into fans, and broken files.
#include "ObjectTestSupport.h"

#include "gfx3d/NormalTable.h"
#include "gfx3d/ObjectCommands.h"

namespace {

class TextObjectTest : public ObjectTest {
  protected:
    // Loads text into slot id and gives its part (or null when the load failed).
    const MeshObjectX* Load(const std::string& text, int id = 0) {
        if (LoadObject(WriteFile("object.txt", text).c_str(), id) != 1) return nullptr;
        return &Slot(id).parts[0];
    }
};

// One quad face (a fan of two triangles) over four vertices in the z = 0 plane; the normals
// given in version 1.1 point along +x, unlike the geometry's.
std::string Quad(const char* version) {
    std::string text = std::string("DDDA ") + version + "\n";
    text += "4  0 0  1 0  1 1  0 1\n";
    text += "1  255 128 0  4  0 0  1 1  2 2  3 3\n";
    text += "1  4\n";
    const bool normals = std::string(version) == "1.1";
    const char* corners[] = {"0 0 0", "2 0 0", "2 2 0", "0 2 0"};
    for (const char* corner : corners)
        text += std::string(corner) + (normals ? " 1 0 0\n" : "\n");
    return text;
}

TEST_F(TextObjectTest, FaceBecomesAFanOfTriangles) {
    const MeshObjectX* part = Load(Quad("1.1"));
    ASSERT_NE(part, nullptr);
    const ObjectFrame& frame = part->frames[0];
    ASSERT_EQ(frame.packed.Count(), 5);
    EXPECT_EQ(part->colourTable[frame.packed[0].colourIndex], ColorFanStart);
    EXPECT_EQ(part->colourTable[frame.packed[1].colourIndex], 0x0080FFu);
    ASSERT_EQ(frame.triangles.Count(), 6);
    // (a, b, c), (a, c, d)
    const float expected[6][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 0}, {2, 2}, {0, 2}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(frame.triangles[i].x, expected[i][0], 2.0f / 255) << i;
        EXPECT_NEAR(frame.triangles[i].y, expected[i][1], 2.0f / 255) << i;
    }
    // Texture pairs follow the corners' indices; one entry per record, marker included.
    ASSERT_EQ(part->textureU.Count(), 5);
    EXPECT_FLOAT_EQ(part->textureU[3], 1.0f);
    EXPECT_FLOAT_EQ(part->textureV[4], 1.0f);
    EXPECT_FLOAT_EQ(frame.triangles[2].v, -1.0f);
    EXPECT_NEAR(frame.triangles[0].red, 1.0f, 1e-6f);
    EXPECT_NEAR(frame.triangles[0].green, 128 / 255.0f, 1e-6f);
}

TEST_F(TextObjectTest, VersionDecidesWhereNormalsComeFrom) {
    const MeshObjectX* withNormals = Load(Quad("1.1"), 1);
    ASSERT_NE(withNormals, nullptr);
    EXPECT_EQ(withNormals->frames[0].packed[1].normal, gfx3d::ChooseTableNormal(1, 0, 0));

    // Below 1.1 the file has no normals: they are computed from the face, (p2 - p1) x (p1 - p0).
    const MeshObjectX* computed = Load(Quad("1.0"), 2);
    ASSERT_NE(computed, nullptr);
    EXPECT_EQ(computed->normalsValid, 1);
    const int faceNormal = gfx3d::ChooseTableNormal(0, 0, -1);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(computed->frames[0].packed[i].normal, faceNormal) << i;
    EXPECT_FLOAT_EQ(computed->frames[0].triangles[0].nz, gfx3d::NormalTable[faceNormal][2]);
}

TEST_F(TextObjectTest, CommentsEndTokensAndRunToTheLineEnd) {
    std::string text = "DDDA 1.1#version 99 99 99\n"
                       "0 # no texture pairs\n"
                       "1 # one face\n 10 20 30 3 0 7 1 7 2 7#indices\n"
                       "1 3 0 0 0 0 0 1  1 0 0 0 0 1  # a comment at the end\n"
                       "0 1 0 0 0 1";
    const MeshObjectX* part = Load(text);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->frames[0].triangles.Count(), 3);
    EXPECT_EQ(part->frames[0].packed[1].normal, 5);
    // Without texture pairs the coordinates are 0.
    EXPECT_FLOAT_EQ(part->frames[0].triangles[1].u, 0.0f);
}

TEST_F(TextObjectTest, BrokenTextIsRejected) {
    const std::string good = "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0";
    ASSERT_NE(Load(good), nullptr);
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"no leading word", "DDDB 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0"},
        {"version above 1.1", "DDDA 1.2 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0"},
        {"vertex index outside", "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 3 0 1 3 0 0 0 1 0 0 0 1 0"},
        {"texture index outside", "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 1 2 0 1 3 0 0 0 1 0 0 0 1 0"},
        {"too few tokens", "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1"},
        {"negative count", "DDDA 1.0 1 0 0 -1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0"},
        {"count beyond the file", "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 99999999 3 0 0 0"},
        {"token too long",
         "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 " + std::string(2000, '0')},
        {"empty file", ""},
    };
    int id = 10;
    for (const auto& [reason, text] : broken) {
        SCOPED_TRACE(reason);
        const std::string logBefore = Log();
        EXPECT_EQ(Load(text, id), nullptr);
        EXPECT_EQ(Log().substr(logBefore.size()),
                  "# read error\r\n" + PathOf("object.txt") + "\r\n");
        EXPECT_EQ(Slot(id).loaded, 0);
        ++id;
    }
}

TEST_F(TextObjectTest, ObjectTooLargeToHoldIsAStorageFailure) {
    // Every frame repeats every face: 2100 frames of a 2000-corner face ask for more than four
    // million records from a file of a few kilobytes.
    std::string text = "DDDA 1.0 0 1 0 0 0 2000";
    for (int c = 0; c < 2000; ++c)
        text += " 0 0";
    text += " 2100";
    for (int f = 0; f < 2100; ++f)
        text += " 1 0 0 0";
    EXPECT_EQ(Load(text), nullptr);
    EXPECT_EQ(Log(), "# malloc error\r\n" + PathOf("object.txt") + "\r\n");
}

TEST_F(TextObjectTest, MoreThan256ColoursFailInsteadOfWrapping) {
    const auto faces = [](int count) {
        std::string text = "DDDA 1.0 0 " + std::to_string(count) + "\n";
        for (int i = 0; i < count; ++i)
            text += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 3 0 0 1 0 2 0\n";
        return text + "1 3 0 0 0 1 0 0 0 1 0\n";
    };
    // 255 colours and the fan marker fill the table exactly.
    ASSERT_NE(Load(faces(255), 1), nullptr);
    EXPECT_EQ(Slot(1).parts[0].colourTable.Count(), 256);
    EXPECT_EQ(Load(faces(256), 2), nullptr);
    EXPECT_NE(Log().find("# read error"), std::string::npos);
}

} // namespace
