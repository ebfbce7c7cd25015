// Objects built in code: packing, triangle orders, bounding spheres, normals and tangents,
// and the round trip through a saved file.
#include "ObjectTestSupport.h"

#include <cmath>

#include "gfx3d/NormalTable.h"
#include "gfx3d/Normals.h"
#include "gfx3d/ObjectCommands.h"

namespace {

constexpr double kFanStart = 4294967293.0;  // 0xFFFFFFFD
constexpr double kListStart = 4294967295.0; // 0xFFFFFFFF

class BuiltObjectTest : public ObjectTest {
  protected:
    MeshObjectX& Part(int id) { return Slot(id).parts[0]; }
    // The x coordinates of a frame's triangle corners, in order, rounded: truncating
    // quantisation may leave a coordinate up to one step below its value.
    std::vector<float> CornerXs(int id) {
        std::vector<float> xs;
        for (const DrawVertex& v : Part(id).frames[0].triangles)
            xs.push_back(std::round(v.x));
        return xs;
    }
};

TEST_F(BuiltObjectTest, StripAndFanTriangleOrders) {
    SetNormalMode(0);
    BeginObject(1);
    for (int i = 0; i < 6; ++i)
        AddObjectVertex(i, i % 2, 0, 0, 0, 0);
    EndObject();
    // a..f: (a, b, c), (c, b, d), (c, d, e), (e, d, f)
    EXPECT_EQ(CornerXs(1), (std::vector<float>{0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5}));

    BeginObject(2);
    AddObjectVertex(0, 0, 0, 0, 0, kFanStart);
    for (int i = 0; i < 5; ++i)
        AddObjectVertex(i, i % 2, i % 3, 0, 0, 0);
    AddObjectVertex(0, 0, 0, 0, 0, kListStart);
    for (int i = 5; i < 12; ++i)
        AddObjectVertex(i, i % 2, i % 3, 0, 0, 0);
    EndObject();
    // A fan (a, b, c), (a, c, d), (a, d, e); then two separate triangles, the seventh list
    // vertex left over.
    EXPECT_EQ(CornerXs(2), (std::vector<float>{0, 1, 2, 0, 2, 3, 0, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(BuiltObjectTest, StripNormalsPointToOneSide) {
    SetNormalMode(1);
    BeginObject(1);
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    AddObjectVertex(0, 1, 0, 0, 0, 0);
    AddObjectVertex(1, 0, 0, 0, 0, 0);
    AddObjectVertex(1, 1, 0, 0, 0, 0);
    EndObject();
    const ObjectFrame& frame = Part(1).frames[0];
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(frame.packed[i].normal, 5) << i; // (0, 0, 1)
    for (const DrawVertex& corner : frame.triangles)
        EXPECT_FLOAT_EQ(corner.nz, 1.0f);
    EXPECT_EQ(Part(1).normalsValid, 1);
}

TEST_F(BuiltObjectTest, SmoothedNormalsAreSharedByPosition) {
    // Two separate triangles meeting at the origin and at (0, 1, 0), one facing -z, one +x.
    const auto build = [](int id) {
        BeginObject(id);
        AddObjectVertex(0, 0, 0, 0, 0, kListStart);
        AddObjectVertex(0, 0, 0, 0, 0, 0);
        AddObjectVertex(1, 0, 0, 0, 0, 0);
        AddObjectVertex(0, 1, 0, 0, 0, 0);
        AddObjectVertex(0, 0, 0, 0, 0, 0);
        AddObjectVertex(0, 0, 1, 0, 0, 0);
        AddObjectVertex(0, 1, 0, 0, 0, 0);
        EndObject();
    };
    SetNormalMode(1);
    build(1);
    SetNormalMode(2);
    build(2);
    const int minusZ = gfx3d::ChooseTableNormal(0, 0, -1);
    const int plusX = gfx3d::ChooseTableNormal(1, 0, 0);
    const int between = gfx3d::ChooseTableNormal(1, 0, -1);
    ASSERT_NE(minusZ, between);
    ASSERT_NE(plusX, between);
    const ObjectFrame& perRecord = Part(1).frames[0];
    EXPECT_EQ(perRecord.packed[2].normal, minusZ);
    EXPECT_EQ(perRecord.packed[5].normal, plusX);
    EXPECT_EQ(perRecord.packed[7].normal, plusX);
    const ObjectFrame& smoothed = Part(2).frames[0];
    EXPECT_EQ(smoothed.packed[2].normal, between);
    EXPECT_EQ(smoothed.packed[5].normal, between);
    EXPECT_EQ(smoothed.packed[4].normal, between);
    EXPECT_EQ(smoothed.packed[7].normal, between);
    // Corners that no other triangle shares keep their own face's normal.
    EXPECT_EQ(smoothed.packed[3].normal, minusZ);
    EXPECT_EQ(smoothed.packed[6].normal, plusX);
}

TEST_F(BuiltObjectTest, SavedAndLoadedAgainKeepsTrianglesAndNormals) {
    SetNormalMode(2);
    BeginObject(1);
    const double points[][3] = {{-1, -1, 0.3}, {1, -1, 0.1}, {-1, 1, 0.7}, {1, 1, -0.4},
                                {-1, 3, 0.2},  {1, 3, 0.9},  {-1, 5, -0.6}};
    for (const auto& p : points)
        AddObjectVertex(p[0], p[1], p[2], p[0] * 0.5, p[1] * 0.25, 0x336699);
    NewObjectGroup();
    AddObjectVertex(5, 5, 5, 0, 0, 0x00FF00);
    AddObjectVertex(6, 5, 5, 1, 0, 0x00FF00);
    AddObjectVertex(5, 6, 5, 0, 1, 0x00FF00);
    EndObject();
    ASSERT_EQ(SaveObject(PathOf("built.ddd").c_str(), 1), 1);
    ASSERT_EQ(LoadObject(PathOf("built.ddd").c_str(), 2), 1);

    const ObjectFrame& built = Part(1).frames[0];
    const ObjectFrame& loaded = Part(2).frames[0];
    ASSERT_EQ(built.triangles.Count(), 18);
    ASSERT_EQ(loaded.triangles.Count(), built.triangles.Count());
    for (int i = 0; i < built.triangles.Count(); ++i) {
        SCOPED_TRACE(i);
        const DrawVertex& a = built.triangles[i];
        const DrawVertex& b = loaded.triangles[i];
        EXPECT_FLOAT_EQ(a.x, b.x);
        EXPECT_FLOAT_EQ(a.y, b.y);
        EXPECT_FLOAT_EQ(a.z, b.z);
        EXPECT_FLOAT_EQ(a.nx, b.nx);
        EXPECT_FLOAT_EQ(a.ny, b.ny);
        EXPECT_FLOAT_EQ(a.nz, b.nz);
        EXPECT_FLOAT_EQ(a.u, b.u);
        EXPECT_FLOAT_EQ(a.v, b.v);
        EXPECT_EQ(a.colour, b.colour);
    }
    // Against the vertices given: within one quantisation step on each axis.
    const float step[3] = {built.scale[0], built.scale[1], built.scale[2]};
    const int strip[] = {0, 1, 2};
    for (int c = 0; c < 3; ++c) {
        const double* p = points[strip[c]];
        EXPECT_NEAR(loaded.triangles[c].x, p[0], step[0]);
        EXPECT_NEAR(loaded.triangles[c].y, p[1], step[1]);
        EXPECT_NEAR(loaded.triangles[c].z, p[2], step[2]);
    }
    EXPECT_EQ(Part(2).normalsValid, 1);
}

TEST_F(BuiltObjectTest, BuildingEdgeCases) {
    // Two vertices and a marker: an empty part, but the slot counts as loaded.
    BeginObject(1);
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    EndObject();
    EXPECT_EQ(Slot(1).loaded, 1);
    ASSERT_EQ(Slot(1).parts.Count(), 1);
    EXPECT_EQ(Part(1).frames.Count(), 0);
    EXPECT_EQ(scene().buildingId, -1);

    // Without an object being built nothing happens.
    AddObjectVertex(1, 2, 3, 0, 0, 0);
    NewObjectGroup();
    EndObject();
    EXPECT_EQ(Part(1).frames.Count(), 0);

    // Starting another object abandons the first, which keeps its unprocessed vertices.
    BeginObject(2);
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    BeginObject(3);
    EXPECT_EQ(Part(2).frames[0].workVertices.Count(), 2);
    EXPECT_EQ(Part(2).frames[0].packed.Count(), 0);
    EXPECT_EQ(scene().buildingId, 3);

    BeginObject(-1);
    BeginObject(4096);
    EXPECT_EQ(scene().buildingId, 3);

    // Loading into the slot being built ends the building; a late EndObject keeps the file.
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    ASSERT_EQ(LoadObject(WriteFile("sample.ddd", SampleBinaryObject()).c_str(), 3), 1);
    EXPECT_EQ(scene().buildingId, -1);
    EndObject();
    EXPECT_EQ(Part(3).frames[0].triangles.Count(), 12);

    SetNormalMode(5);
    EXPECT_EQ(scene().normalMode, 2);
    SetNormalMode(3);
    EXPECT_EQ(scene().normalMode, 0);
}

TEST_F(BuiltObjectTest, AbsurdNumbersStayHarmless) {
    SetNormalMode(2);
    BeginObject(1);
    AddObjectVertex(NAN, 1e300, -1e300, NAN, 1e300, -5);
    AddObjectVertex(INFINITY, 0, 0, 0, 0, 1e9);
    AddObjectVertex(0, 0, 0, 0, 0, NAN);
    EndObject();
    EXPECT_EQ(Part(1).frames[0].triangles.Count(), 3);
}

TEST_F(BuiltObjectTest, ColoursBeyond256TakeTheNearest) {
    SetNormalMode(0);
    BeginObject(1);
    for (int i = 0; i < 300; ++i)
        AddObjectVertex(i, i % 2, 0, 0, 0, i * 4);
    NewObjectGroup();
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    AddObjectVertex(1, 0, 0, 0, 0, 0);
    AddObjectVertex(1, 1, 0, 0, 0, 0);
    EndObject();
    const MeshObjectX& part = Part(1);
    EXPECT_EQ(part.colourTable.Count(), 256);
    const ObjectFrame& frame = part.frames[0];
    // The second strip still starts with its marker.
    EXPECT_EQ(part.colourTable[frame.packed[301].colourIndex], ColorStripStart);
    // The marker and colours 0, 4, ..., 254 * 4 fill the table. Colour 299 * 4 = 0x4AC (red
    // 0xAC, green 4) takes the nearest of them, 0x3AC (red 0xAC, green 3).
    EXPECT_EQ(part.colourTable[frame.packed[300].colourIndex], 0x3ACu);
}

} // namespace
