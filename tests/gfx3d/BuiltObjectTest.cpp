// Objects built in code: triangle orders, normals, colours and odd input.
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "ObjectTestSupport.h"

namespace {

constexpr double kFanStart = 4294967293.0;  // 0xFFFFFFFD
constexpr double kListStart = 4294967295.0; // 0xFFFFFFFF

using BuiltObjectTest = ObjectTest;

TEST_F(BuiltObjectTest, StripFanAndListTriangleOrders) {
    SetNormalMode(0);
    BeginObject(1);
    for (int i = 0; i < 6; ++i)
        AddObjectVertex(i, i % 2, 0, 0, 0, 0);
    AddObjectVertex(0, 0, 0, 0, 0, kFanStart);
    for (int i = 0; i < 5; ++i)
        AddObjectVertex(i, i % 2, i % 3, 0, 0, 0);
    AddObjectVertex(0, 0, 0, 0, 0, kListStart);
    for (int i = 5; i < 12; ++i)
        AddObjectVertex(i, i % 2, i % 3, 0, 0, 0);
    EndObject();
    // The corners' x coordinates, rounded: truncating quantisation may leave a coordinate up
    // to one step below its value.
    std::vector<float> xs;
    for (const DrawVertex& v : Corners(1))
        xs.push_back(std::round(v.x));
    // A strip a..f: (a, b, c), (c, b, d), (c, d, e), (e, d, f); a fan (a, b, c), (a, c, d),
    // (a, d, e); then two separate triangles, the seventh list vertex left over.
    EXPECT_EQ(xs, (std::vector<float>{0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5, 0, 1,
                                      2, 0, 2, 3, 0, 3, 4, 5, 6, 7, 8, 9, 10}));
}

// Normals come from a table of directions, so each is checked to within 18 degrees of the
// direction worked out by hand: z and Z are +z and -z, x is +x, b lies between -z and +x.
TEST_F(BuiltObjectTest, NormalModesGiveFaceOrSmoothedNormals) {
    const std::map<char, std::array<double, 3>> directions = {
        {'z', {0, 0, 1}}, {'Z', {0, 0, -1}}, {'x', {1, 0, 0}}, {'b', {0.7071, 0, -0.7071}}};
    // A strip wound to one side, every corner facing +z; then two separate triangles meeting
    // at the origin and at (0, 1, 0), one facing -z, one +x: smoothing shares the normals of
    // corners at one position, the others keep their own. Mode 5 is mode 2.
    const std::tuple<int, bool, const char*> rows[] = {
        {1, true, "zzzzzz"}, {1, false, "ZZZxxx"}, {2, false, "bZbbxb"}, {5, false, "bZbbxb"}};
    const double list[6][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    int id = 1;
    for (const auto& [mode, strip, expected] : rows) {
        SetNormalMode(mode);
        BeginObject(id);
        if (strip) {
            for (const auto& [x, y] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}})
                AddObjectVertex(x, y, 0, 0, 0, 0);
        } else {
            AddObjectVertex(0, 0, 0, 0, 0, kListStart);
            for (const auto& c : list)
                AddObjectVertex(c[0], c[1], c[2], 0, 0, 0);
        }
        EndObject();
        ASSERT_EQ(Corners(id).Count(), 6) << "row " << id;
        for (int i = 0; i < 6; ++i) {
            const DrawVertex& v = Corners(id)[i];
            const std::array<double, 3>& e = directions.at(expected[i]);
            EXPECT_GT(v.nx * e[0] + v.ny * e[1] + v.nz * e[2], 0.95)
                << "row " << id << " corner " << i;
        }
        ++id;
    }
}

// Vertices without an object being built, and absurd numbers, do no harm; loading into the
// slot being built ends the building, and a late EndObject keeps the file.
TEST_F(BuiltObjectTest, BuildingEdgeCases) {
    AddObjectVertex(1, 2, 3, 0, 0, 0);
    NewObjectGroup();
    EndObject();
    SetNormalMode(2);
    BeginObject(4);
    AddObjectVertex(NAN, 1e300, -1e300, NAN, 1e300, -5);
    AddObjectVertex(INFINITY, 0, 0, 0, 0, 1e9);
    AddObjectVertex(0, 0, 0, 0, 0, NAN);
    EndObject();
    EXPECT_EQ(Corners(4).Count(), 3);
    BeginObject(3);
    AddObjectVertex(0, 0, 0, 0, 0, 0);
    ASSERT_EQ(LoadObject(folder.Write("sample.ddd", SampleBinaryObject()).c_str(), 3), 1);
    EndObject();
    EXPECT_EQ(Corners(3).Count(), 12);
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
    // The second strip still starts with its own marker: all 298 + 1 triangles are there.
    ASSERT_EQ(Corners(1).Count(), 299 * 3);
    // The strip marker and colours 0, 4, ..., 254 * 4 fill the table. The last corner of the
    // last triangle, colour 299 * 4 = 0x4AC (red 0xAC, green 4), takes the nearest of them,
    // 0x3AC (red 0xAC, green 3).
    EXPECT_EQ(Corners(1)[297 * 3 + 2].colour, 0x3ACu);
    EXPECT_EQ(Corners(1)[10 * 3 + 2].colour, 12u * 4);
}

} // namespace
