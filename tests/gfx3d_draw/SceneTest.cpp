// The scene: projection, camera and frustum, projecting points both ways, lights and fog,
// read back from a real GL context.
#include <GL/gl.h>

#include <cmath>

#include "DrawTestSupport.h"
#include "core/Runtime.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneCommands.h"
#include "support/TestRuntime.h"

namespace {

class SceneTest : public GlRuntimeTest {};

TEST_F(SceneTest, PerspectiveAndParallelProjections) {
    Begin3D(100, 20000, 45);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // near / top with top = 100 * tan(22.5 degrees); right = top * 4 / 3 on 800 x 600.
    const double top = 100 * std::tan(22.5 * M_PI / 180);
    EXPECT_NEAR(projection[5], 100 / top, 1e-3);
    EXPECT_NEAR(projection[0], 100 / (top * 4 / 3), 1e-3);
    EXPECT_NEAR(CurrentScene()->viewConeTangent, std::tan(50 * M_PI / 180), 1e-4);

    Begin3D(100, 20000, -45);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1 / (top * 100), 1e-6); // 2 / (top - bottom) of glOrtho
    EXPECT_NEAR(CurrentScene()->viewConeTangent, std::tan(89 * M_PI / 180), 1e-2);

    Begin3D(100, 20000, 80);
    EXPECT_NEAR(CurrentScene()->viewConeTangent, std::tan(85 * M_PI / 180), 1e-3);
    Begin3D(100, 20000, 85);
    EXPECT_NEAR(CurrentScene()->viewConeTangent, std::tan(89 * M_PI / 180), 1e-2);
    End3D();
}

TEST_F(SceneTest, FrustumPlanesAreNormalisedAndFaceInward) {
    LookAtOriginFrom(1000);
    const Scene3D& scene = *CurrentScene();
    for (const auto& plane : scene.frustum)
        EXPECT_NEAR(std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]), 1,
                    1e-5);
    // The camera looks down -z from z = 1000: the near plane lies 100 in front of the eye.
    EXPECT_NEAR(scene.frustum[kPlaneNear][2], -1, 1e-5);
    EXPECT_NEAR(scene.frustum[kPlaneNear][3], 900, 1e-1);
    EXPECT_NEAR(scene.frustum[kPlaneFar][2], 1, 1e-5);
    EXPECT_NEAR(scene.frustum[kPlaneFar][3], 19000, 20);
    // The origin lies inside all six.
    for (const auto& plane : scene.frustum)
        EXPECT_GT(plane[3], 0);
    EXPECT_LT(scene.frustum[kPlaneRight][0], 0);
    EXPECT_GT(scene.frustum[kPlaneLeft][0], 0);
    End3D();
}

TEST_F(SceneTest, ObjectAppearsWhereProjectToScreenSaysAndScreenToWorldInverts) {
    BuildSquare(1, 10);
    LookAtOriginFrom(1000);
    MoveObject(150, 80, 0);
    DrawObject(1, 0);
    double sx = 0, sy = 0, depth = 0;
    ProjectToScreen(150, 80, 0, sx, sy, depth);
    EXPECT_GT(sx, 400);
    EXPECT_LT(sy, 300);
    EXPECT_GT(depth, 0);
    EXPECT_LT(depth, 1);
    EXPECT_EQ(ReadPixel(static_cast<int>(sx), static_cast<int>(sy)), 0xFFFFFFu);
    EXPECT_EQ(ReadPixel(static_cast<int>(sx) + 30, static_cast<int>(sy)), 0u);
    EXPECT_EQ(ReadPixel(400, 300), 0u);

    double x = 0, y = 0, z = 0;
    ScreenToWorld(sx, sy, depth, x, y, z);
    // Window rows count from the top on the way in and from (height - 1) on the way back.
    EXPECT_NEAR(x, 150, 0.5);
    EXPECT_NEAR(y, 80, 2.0);
    EXPECT_NEAR(z, 0, 0.5);
    End3D();
}

TEST_F(SceneTest, ProjectionOfTheEyeLeavesOutputsUnchanged) {
    LookAtOriginFrom(1000);
    double sx = 7, sy = 8, depth = 9;
    ProjectToScreen(0, 0, 1000, sx, sy, depth);
    EXPECT_EQ(sx, 7);
    EXPECT_EQ(sy, 8);
    EXPECT_EQ(depth, 9);
    End3D();
}

TEST_F(SceneTest, DirectionalLightFromTheCameraLightsFacingQuadOnly) {
    BuildSquare(1, 40);
    LookAtOriginFrom(1000);
    SetLight(0, 0xFFFFFF);
    MoveObject(-150, 0, 0);
    DrawObject(1, 0);
    MoveObject(150, 0, 0);
    RotateObject(180, 0, 1, 0);
    DrawObject(1, 0);
    int px, py;
    PixelOf(-150, 0, 0, px, py);
    EXPECT_GT(Red(ReadPixel(px, py)), 230);
    PixelOf(150, 0, 0, px, py);
    const unsigned back = ReadPixel(px, py);
    EXPECT_LT(Red(back), 80);
    EXPECT_GT(Red(back), 0); // drawn, lit by the ambient part only
    End3D();
}

TEST_F(SceneTest, LightsSwitchOffByIdModuloEight) {
    LookAtOriginFrom(1000);
    SetLight(8, 0xFFFFFF);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_EQ(CurrentScene()->lightMask, 1);
    DefineLight(3, 0xFFFFFF, 0, 100, 0, 0, -1, 0, 45);
    EXPECT_EQ(CurrentScene()->lightMask, 9);
    DefineLight(0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    float cutOff = 0;
    glGetLightfv(GL_LIGHT3, GL_SPOT_CUTOFF, &cutOff);
    EXPECT_EQ(cutOff, 45);
    DefineLight(11, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(CurrentScene()->lightMask, 0);
    End3D();
}

TEST_F(SceneTest, SetLightShinesFromTheEyeDirectionInWorldSpace) {
    Begin3D(100, 20000, 45);
    SetCamera(0, 100, -200, 0, 0, 0);
    SetLight(0, 0xFFFFFF);
    // GL stores the position in eye space: the world direction (0, 100, -200) seen from the
    // eye points straight back at the viewer.
    float position[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_NEAR(position[0], 0, 1e-4);
    EXPECT_NEAR(position[1], 0, 1e-4);
    EXPECT_NEAR(position[2], 1, 1e-4);
    EXPECT_EQ(position[3], 0);
    End3D();
}

TEST_F(SceneTest, LinearFogTintsAFarObjectOnly) {
    BuildSquare(1, 40);
    LookAtOriginFrom(1000);
    SetFog(0x0000FF, 0, 500, 1500); // red
    DrawObject(1, 0);
    int px, py;
    PixelOf(0, 0, 0, px, py);
    const unsigned far = ReadPixel(px, py);
    EXPECT_GT(Red(far), 240);
    EXPECT_NEAR(Green(far), 128, 12); // half way between start and end
    SetFog(0x0000FF, 0, 1500, 3000);
    MoveObject(200, 0, 0);
    DrawObject(1, 0);
    PixelOf(200, 0, 0, px, py);
    EXPECT_EQ(ReadPixel(px, py), 0xFFFFFFu);
    SetFog(-1, 0, 0, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    SetFog(0, 0, 0, 0);
    float start = 0, end = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    EXPECT_EQ(start, 100);
    EXPECT_EQ(end, 20000);
    End3D();
}

TEST_F(SceneTest, CullModeHidesBackFacesAndBegin3DResetsIt) {
    BuildSquare(1, 40);
    LookAtOriginFrom(1000);
    SetCullMode(1); // clockwise front faces: the square faces the camera
    DrawObject(1, 0);
    int px, py;
    PixelOf(0, 0, 0, px, py);
    EXPECT_EQ(ReadPixel(px, py), 0xFFFFFFu);
    ClearDepth();
    glClear(GL_COLOR_BUFFER_BIT);
    SetCullMode(-1);
    DrawObject(1, 0);
    EXPECT_EQ(ReadPixel(px, py), 0u);
    Begin3D(100, 20000, 45);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(CurrentScene()->cullMode, 0);
    End3D();
}

} // namespace
