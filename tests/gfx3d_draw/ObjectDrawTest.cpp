// Drawing objects: the transform stack, frame choice and blending, culling and buffer objects.
#include <GL/gl.h>

#include <cmath>

#include "DrawTestSupport.h"
#include "core/Runtime.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectDrawing.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"
#include "text/NumArray.h"

namespace {

class ObjectDrawTest : public GlRuntimeTest {
  protected:
    // True when the pixel at the world point is lit.
    static bool DrawnAt(double x, double y, double z) {
        int px, py;
        PixelOf(x, y, z, px, py);
        return ReadPixel(px, py) != 0;
    }
    static long PartsDrawn() { return Rt().scene.get()->partsDrawn; }
};

const float kStep = 200; // frame k stands at x = -300 + 200 k

void BuildWalkingSquare(int id, int frames) {
    BuildSquare(id, 15);
    AddShiftedFrames(id, frames, kStep);
}

void ResetObjectAt(float x) {
    LookAtOriginFrom(1000);
    MoveObject(x, 0, 0);
}

TEST_F(ObjectDrawTest, PositionalBlendDrawsNeighbouringFrames) {
    BuildWalkingSquare(1, 5);
    ResetObjectAt(-300);
    DrawObjectAnim(1, 0, 4, 0.5, 1); // exactly frame 2
    EXPECT_TRUE(DrawnAt(100, 0, 0));
    EXPECT_FALSE(DrawnAt(100 + 0.4 * kStep, 0, 0));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawObjectAnim(1, 0, 4, 0.6, 1); // frames 2 and 3 at 0.4
    EXPECT_TRUE(DrawnAt(100 + 0.4 * kStep, 0, 0));
    EXPECT_FALSE(DrawnAt(100, 0, 0));
    EXPECT_FALSE(DrawnAt(300, 0, 0));
    End3D();
}

TEST_F(ObjectDrawTest, ModeZeroBlendsFrameATowardFrameB) {
    BuildWalkingSquare(1, 3);
    ResetObjectAt(-300);
    DrawObjectAnim(1, 0, 2, 0.25, 0); // x = -300 + 0.25 * 400
    EXPECT_TRUE(DrawnAt(-200, 0, 0));
    EXPECT_FALSE(DrawnAt(-300, 0, 0));
    // The blend leaves frame 0 alone: drawn again it stands where it was.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawObject(1, 0);
    EXPECT_TRUE(DrawnAt(-300, 0, 0));
    EXPECT_FALSE(DrawnAt(-200, 0, 0));
    End3D();
}

TEST_F(ObjectDrawTest, ObjectsBehindOrBesideTheCameraAreCulled) {
    BuildSquare(1, 20);
    LookAtOriginFrom(1000);
    Rt().scene.get()->partsDrawn = 0;
    DrawObject(1, 0);
    EXPECT_EQ(PartsDrawn(), 1);
    MoveObject(0, 0, 1500); // behind the eye
    DrawObject(1, 0);
    MoveObject(3000, 0, 0); // beyond the right plane
    DrawObject(1, 0);
    MoveObject(0, 0, -25000); // beyond the far plane
    DrawObject(1, 0);
    EXPECT_EQ(PartsDrawn(), 1);
    // Just outside the right edge but within its radius: drawn.
    double sx, sy, depth;
    ProjectToScreen(0, 0, 0, sx, sy, depth);
    MoveObject(565, 0, 0);
    DrawObject(1, 0);
    EXPECT_EQ(PartsDrawn(), 2);
    // The radius scales by the smallest axis scale: stretched along z only, it stays culled;
    // ten times as big it reaches into the screen, a tenth as big it lies wholly outside.
    const struct {
        double x, sx, sy, sz;
        int drawn;
    } scaled[] = {
        {600, 1, 1, 10, 0},
        {600, 10, 10, 10, 1},
        {565, 0.1, 0.1, 0.1, 0},
        {565, 1, 1, 1, 1},
    };
    for (const auto& c : scaled) {
        const int before = PartsDrawn();
        MoveObject(c.x, 0, 0);
        ScaleObject(c.sx, c.sy, c.sz);
        DrawObject(1, 0);
        EXPECT_EQ(PartsDrawn() - before, c.drawn) << c.x << " scaled " << c.sx << "," << c.sz;
    }
    int px, py;
    PixelOf(552, 0, 0, px, py);
    MoveObject(600, 0, 0);
    ScaleObject(10, 10, 10);
    DrawObject(1, 0);
    EXPECT_EQ(ReadPixel(px - 2, py), 0xFFFFFFu) << "the big square reaches into the screen";
    const int drawn = PartsDrawn();
    DrawObject(4095, 0); // empty slot
    DrawObject(5000, 0); // no slot
    EXPECT_EQ(PartsDrawn(), drawn);
    End3D();
}

TEST_F(ObjectDrawTest, TransformComposesScaleRotationsMoveAndParent) {
    BuildSquare(1, 10);
    LookAtOriginFrom(1000);
    // Rotations apply in the order given: 90 about z then 90 about y turns +x into -z.
    MoveObject(100, 0, 0);
    RotateObject(90, 0, 0, 1);
    RotateObject(90, 0, 1, 0);
    const Mat4& m = Rt().scene.get()->transform.Composed();
    EXPECT_NEAR(m.m[0], 0, 1e-5);
    EXPECT_NEAR(m.m[1], 1, 1e-5); // x -> y by the first rotation, kept by the second
    EXPECT_NEAR(m.m[4], 0, 1e-5);
    EXPECT_NEAR(m.m[12], 100, 1e-4);
    // A zero axis adds nothing; a negative axis turns the other way.
    MoveObject(0, 0, 0);
    RotateObject(90, 0, 0, 0);
    RotateObject(90, 0, 0, -1);
    const Mat4& n = Rt().scene.get()->transform.Composed();
    EXPECT_NEAR(n.m[1], -1, 1e-5);
    // A general axis goes through the axis-angle matrix.
    MoveObject(0, 0, 0);
    RotateObject(120, 1, 1, 1);
    const Mat4& g = Rt().scene.get()->transform.Composed();
    EXPECT_NEAR(g.m[1], 1, 1e-5); // x -> y
    // A child level moves with its parent; popping returns to it.
    MoveObject(100, 0, 0);
    ScaleObject(2, 2, 2);
    PushTransform();
    MoveObject(10, 0, 0);
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 120, 1e-4);
    PopTransform();
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 100, 1e-4);
    PopTransform(); // at level 0 it resets
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 0, 1e-4);
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[0], 1, 1e-6);
    End3D();
}

TEST_F(ObjectDrawTest, SeventeenthRotationAndDeepPushesAreIgnored) {
    BuildSquare(1, 10);
    LookAtOriginFrom(1000);
    for (int i = 0; i < 16; ++i)
        RotateObject(10, 0, 0, 1);
    RotateObject(90, 0, 0, 1);
    const Mat4& m = Rt().scene.get()->transform.Composed();
    EXPECT_NEAR(m.m[0], std::cos(160 * M_PI / 180), 1e-4);
    EXPECT_NEAR(m.m[1], std::sin(160 * M_PI / 180), 1e-4);
    for (int i = 0; i < 20; ++i)
        PushTransform();
    EXPECT_EQ(Rt().scene.get()->transform.Depth(), 15);
    End3D();
}

TEST_F(ObjectDrawTest, RotationAfterADrawKeepsThePosition) {
    BuildSquare(1, 10);
    LookAtOriginFrom(1000);
    MoveObject(200, 0, 0);
    DrawObject(1, 0);
    RotateObject(45, 0, 0, 1);
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 200, 1e-4);
    End3D();
}

TEST_F(ObjectDrawTest, ExtraMatricesNeedSixteenElements) {
    LookAtOriginFrom(1000);
    NumArray matrix;
    DimArray(matrix, 16, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        matrix(i) = i % 5 == 0 ? 1 : 0;
    matrix(12) = 50;
    MultiplyObjectMatrix(matrix);
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 50, 1e-5);
    NumArray wrong;
    DimArray(wrong, 4, 4, 0, 0);
    MoveObject(0, 0, 0);
    MultiplyObjectMatrix(wrong);
    EXPECT_NEAR(Rt().scene.get()->transform.Composed().m[12], 0, 1e-5);
    End3D();
}

TEST_F(ObjectDrawTest, FrameChoiceClampsAndWraps) {
    FrameChoice c = ChooseFrames(3, 5, 5, 0, false);
    EXPECT_EQ(c.from, 2);
    EXPECT_EQ(c.weight, 0);
    c = ChooseFrames(5, 4, 0, 0.6, true); // p = 1.6, run backwards
    EXPECT_EQ(c.from, 1);
    EXPECT_EQ(c.to, 2);
    EXPECT_NEAR(c.weight, 0.6, 1e-6);
    EXPECT_EQ(c.tested, 2);
    c = ChooseFrames(5, 0, 4, 1.0, true); // p = 4: the last frame, no neighbour
    EXPECT_EQ(c.from, 4);
    EXPECT_EQ(c.to, 4);
}

} // namespace
