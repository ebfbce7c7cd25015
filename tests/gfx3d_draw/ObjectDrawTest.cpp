// Drawing objects: the transform stack, frame choice and blending, and culling.

#include "DrawTestSupport.h"
#include "text/NumArray.h"

namespace {

using ObjectDrawTest = GlRuntimeTest;

// A square of half size 15 in five frames: frame k stands at x = -300 + 200 k when the object
// is moved to x = -300.
TEST_F(ObjectDrawTest, FrameChoiceAndBlending) {
    BuildWalkingSquare(1, 15, 5, 200);
    const struct {
        double a, b, t, mode, drawnX, emptyX;
    } rows[] = {
        {0, 4, 0.5, 1, 100, 180},    // a position along 0..4: exactly frame 2
        {0, 4, 0.6, 1, 180, 100},    // frames 2 and 3 at 0.4
        {4, 0, 0.6, 1, 20, -100},    // run backwards: 1.6
        {0, 4, 1.5, 1, 100, 180},    // t beyond 1 wraps
        {0, 2, 0.25, 0, -200, -300}, // mode 0: frame 0 a quarter toward frame 2
        {7, 7, 0, 0, 500, -300},     // past the last frame: the last
        {0, 0, 0, 0, -300, -200},    // the blends left frame 0 alone
    };
    for (const auto& row : rows) {
        LookAtOriginFrom(1000);
        MoveObject(-300, 0, 0);
        DrawObjectAnim(1, row.a, row.b, row.t, row.mode);
        EXPECT_NE(ColourOf(row.drawnX, 0, 0), 0u) << row.a << ".." << row.b << " at " << row.t;
        EXPECT_EQ(ColourOf(row.emptyX, 0, 0), 0u) << row.a << ".." << row.b << " at " << row.t;
        End3D();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
}

TEST_F(ObjectDrawTest, ObjectsOutsideTheViewAreCulledBySphereTimesSmallestScale) {
    BuildSquare(1, 20); // a bounding sphere of radius 28.3
    LookAtOriginFrom(1000);
    const long& partsDrawn = Rt().scene->partsDrawn;
    // The right edge of the view lies at x = 552 in the plane z = 0.
    const struct {
        double x, z, sx, sy, sz;
        int drawn;
    } rows[] = {
        {0, 0, 1, 1, 1, 1},      {0, 1500, 1, 1, 1, 0},   // behind the eye
        {3000, 0, 1, 1, 1, 0},   {0, -25000, 1, 1, 1, 0}, // beyond the far plane
        {565, 0, 1, 1, 1, 1},                             // outside the edge, within its radius
        {600, 0, 1, 1, 10, 0}, // stretched along z only: the smallest scale is 1
        {600, 0, 10, 10, 10, 1}, {565, 0, 0.1, 0.1, 0.1, 0},
        {575, 0, 2, 3, 2, 1},    {580, 0, 3, 0.5, 3, 0},
    };
    for (const auto& row : rows) {
        const long before = partsDrawn;
        MoveObject(row.x, 0, row.z);
        ScaleObject(row.sx, row.sy, row.sz);
        DrawObject(1, 0);
        EXPECT_EQ(partsDrawn - before, row.drawn)
            << row.x << "," << row.z << " scaled " << row.sx << "," << row.sy << "," << row.sz;
    }
    int px, py;
    PixelOf(552, 0, 0, px, py);
    EXPECT_EQ(ReadPixel(px - 2, py), 0xFFFFFFu) << "the big square reaches into the screen";
    const long drawn = partsDrawn;
    DrawObject(4095, 0); // empty slot
    DrawObject(5000, 0); // no slot
    EXPECT_EQ(partsDrawn, drawn);
    End3D();
}

// A vertex is scaled, turned by the rotations in the order given, moved, then placed by the
// parent level. A cube of half size 5 about (20, 0, 0) is found by a ray down the z axis
// through where its centre must be.
TEST_F(ObjectDrawTest, TransformLevelsPlaceTheObject) {
    BuildBox(1, 5, 20, 0, 0);
    LookAtOriginFrom(1000);
    NumArray shift, wrong;
    DimArray(shift, 16, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        shift(i) = i == 12 ? 50 : i % 5 == 0; // column-major: a move of 50 along x
    DimArray(wrong, 4, 4, 0, 0);
    const struct {
        const char* name;
        std::function<void()> place;
        double x, y, z, half;
    } rows[] = {
        {"90 about z, then 90 about y, moved",
         [] { MoveObject(100, 0, 0), RotateObject(90, 0, 0, 1), RotateObject(90, 0, 1, 0); }, 100,
         20, 0, 5},
        {"a zero axis adds nothing; a negative axis turns back",
         [] { MoveObject(0, 0, 0), RotateObject(90, 0, 0, 0), RotateObject(90, 0, 0, -1); }, 0, -20,
         0, 5},
        {"a general axis", [] { MoveObject(0, 0, 0), RotateObject(120, 1, 1, 1); }, 0, 20, 0, 5},
        {"a child level",
         [] { MoveObject(100, 0, 0), ScaleObject(2, 2, 2), PushTransform(), MoveObject(10, 0, 0); },
         160, 0, 0, 10},
        {"back to the parent", [] { PopTransform(); }, 140, 0, 0, 10},
        {"popping level 0 resets it", [] { PopTransform(); }, 20, 0, 0, 5},
        {"a seventeenth rotation is ignored",
         [] {
             MoveObject(0, 0, 0);
             for (int i = 0; i < 17; ++i)
                 RotateObject(i < 16 ? 10 : 90, 0, 0, 1);
         },
         -18.79, 6.84, 0, 5},
        {"a rotation after a draw turns the placed object",
         [] { MoveObject(200, 0, 0), DrawObject(1, 0), RotateObject(45, 0, 0, 1); }, 214.14, 14.14,
         0, 5},
        {"an extra matrix", [&] { MoveObject(0, 0, 0), MultiplyObjectMatrix(shift); }, 70, 0, 0, 5},
        {"only of 16 elements", [&] { MoveObject(0, 0, 0), MultiplyObjectMatrix(wrong); }, 20, 0, 0,
         5},
    };
    for (const auto& row : rows) {
        row.place();
        EXPECT_NEAR(ObjectRayDistance(1, 0, row.x, row.y, row.z + 50, 0, 0, -1), 50 - row.half, 0.2)
            << row.name;
    }
    End3D();
}

} // namespace
