// The "DDDA" text form: tokens, comments, versions, conversion into fans, and broken files.
#include "ObjectTestSupport.h"

namespace {

class TextObjectTest : public ObjectTest {
  protected:
    const std::string path = folder.File("object.txt");
    // Loads text into slot id and gives its part (or null when the load failed).
    const MeshObjectX* Load(const std::string& text, int id = 0) {
        if (LoadObject(folder.Write("object.txt", text).c_str(), id) != 1) return nullptr;
        return &Slot(id).parts[0];
    }
};

// One quad face (a fan of two triangles) over four vertices in the z = 0 plane; the normals
// given in version 1.1 point along +x, unlike the geometry's. Comments end the tokens before
// them and run to the line end.
std::string Quad(const std::string& version) {
    const std::string normal = version == "1.1" ? " 1 0 0\n" : "\n";
    return "DDDA " + version + "#version 99 99\n4 # 99\n 0 0  1 0  1 1  0 1#99 99\n" +
           "1  255 128 0  4  0 0  1 1  2 2  3 3  # 99 99\n1  4\n" + "0 0 0" + normal + "2 0 0" +
           normal + "2 2 0" + normal + "0 2 0" + normal;
}

// Corners (a, b, c), (a, c, d), with the face's colour and the texture pairs their indices
// name; objects keep v negated. The normals are the file's in version 1.1; below it they are
// computed from the face, (p2 - p1) x (p1 - p0), here -z. Normals come from a table of
// directions, so each is checked to within 18 degrees.
TEST_F(TextObjectTest, FaceBecomesAFanOfTriangles) {
    const float expected[6][4] = {{0, 0, 0, 0}, {2, 0, 1, 0},  {2, 2, 1, -1},
                                  {0, 0, 0, 0}, {2, 2, 1, -1}, {0, 2, 0, -1}};
    for (const auto& [version, nx, nz] : {std::tuple{"1.1", 1, 0}, {"1.0", 0, -1}}) {
        const MeshObjectX* part = Load(Quad(version));
        ASSERT_NE(part, nullptr);
        ASSERT_EQ(part->frames[0].triangles.Count(), 6);
        for (int i = 0; i < 6; ++i) {
            const DrawVertex& v = part->frames[0].triangles[i];
            const std::string where = std::string(version) + " corner " + std::to_string(i);
            const float got[4] = {v.x, v.y, v.u, v.v};
            for (int k = 0; k < 4; ++k) // positions within a quantisation step
                EXPECT_NEAR(got[k], expected[i][k], 2.0f / 255) << where << " value " << k;
            EXPECT_EQ(v.colour, 0x0080FFu) << where;
            EXPECT_GT(v.nx * nx + v.nz * nz, 0.95) << where;
        }
    }
}

TEST_F(TextObjectTest, BrokenTextIsRejected) {
    const std::string good = "DDDA 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0";
    ASSERT_NE(Load(good), nullptr);
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"no leading word", "DDDB 1.0 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0"},
        // Read as 1.1, with a normal after each vertex, the file would be whole.
        {"version above 1.1",
         "DDDA 1.2 1 0 0 1 0 0 0 3 0 0 1 0 2 0 1 3 0 0 0 0 0 1 1 0 0 0 0 1 0 1 0 0 0 1"},
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
        ExpectRefused(folder.Write("object.txt", text), id++, "# read error\r\n" + path + "\r\n");
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
    ExpectRefused(folder.Write("object.txt", text), 0, "# malloc error\r\n" + path + "\r\n");
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
    EXPECT_EQ(Corners(1)[254 * 3].colour, 254u);
    EXPECT_EQ(Corners(1)[254 * 3].u, 0.0f) << "without texture pairs";
    ExpectRefused(folder.Write("object.txt", faces(256)), 2, "# read error\r\n" + path + "\r\n");
}

} // namespace
