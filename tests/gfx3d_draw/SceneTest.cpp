// The scene: projection, camera and frustum, projecting points both ways, lights, fog and
// the effects, camera-facing sprites and text, read back from a real GL context.

#include <cmath>

#include "DrawTestSupport.h"

namespace {

using SceneTest = GlRuntimeTest;

TEST_F(SceneTest, PerspectiveParallelAndTurnedCamerasPlacePointsOnTheScreen) {
    // From (0, 0, 1000) with a 45 degree view, the screen's half height at the origin is
    // 1000 tan(22.5) = 414.2 and its half width 552.3; a parallel view of -45 spans 100 times
    // near tan(22.5) = 4142 up and down. With up along +x, world x points up the screen.
    const struct {
        double fov, upX, upY, x, y, sx, sy;
    } cases[] = {
        {45, 0, 1, 0, 400, 400, 10.3},        {45, 0, 1, 500, 0, 762.1, 300},
        {45, 0, 1, -276.1, -207.1, 200, 450}, {-45, 0, 1, 0, 2071.1, 400, 150},
        {-45, 0, 1, 2761.4, 0, 600, 300},     {45, 1, 0, 207.1, 0, 400, 150},
        {45, -1, 0, 207.1, 0, 400, 450},      {45, 1, 0, 0, 276.1, 200, 300},
    };
    for (const auto& c : cases) {
        Begin3D(100, 20000, c.fov);
        SetCameraUp(c.upX, c.upY, 0);
        SetCamera(0, 0, 1000, 0, 0, 0);
        double sx = -1, sy = -1, depth = -1;
        ProjectToScreen(c.x, c.y, 0, sx, sy, depth);
        EXPECT_NEAR(sx, c.sx, 1) << c.fov << " up " << c.upX << " at " << c.x << "," << c.y;
        EXPECT_NEAR(sy, c.sy, 1) << c.fov << " up " << c.upX << " at " << c.x << "," << c.y;
        End3D();
    }
}

// Light ids count modulo 8; a light defined with cut-off 0 is off, and with every light off the
// scene is drawn unlit. A square turned away from the light gets the ambient part only, grey
// 0x33 here. The light is red and green, so a swapped component shows in blue.
TEST_F(SceneTest, LightsLightTheFacingSideAndSwitchOffById) {
    BuildSquare(1, 40);
    const unsigned ambient = 0x333333, yellow = 0x33FFFF, white = 0xFFFFFF;
    // After the red and green light 8, light id defined in colour with a cut-off angle, pointing
    // down from above, and light 0 switched off; id -1 defines nothing more.
    const struct {
        int id;
        unsigned colour;
        double cutOff;
        unsigned front, back;
    } rows[] = {
        {-1, 0, 0, yellow, ambient}, {3, white, 45, ambient, ambient}, {11, 0, 0, white, white}};
    for (const auto& row : rows) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LookAtOriginFrom(1000);
        SetLight(8, 0x00FFFF);
        if (row.id >= 0)
            DefineLight(row.id, row.colour, 0, 100, 0, 0, -1, 0, row.cutOff),
                DefineLight(0, 0, 0, 0, 0, 0, 0, 0, 0);
        MoveObject(-150, 0, 0);
        DrawObject(1, 0);
        MoveObject(150, 0, 0);
        RotateObject(180, 0, 1, 0);
        DrawObject(1, 0);
        for (const auto& [x, want] : {std::pair{-150, row.front}, {150, row.back}})
            EXPECT_TRUE(Near(ColourOf(x, 0, 0), want, 30))
                << "row " << &row - rows << ": " << std::hex << ColourOf(x, 0, 0);
        End3D();
    }
}

// A white square facing the camera 1000 away, drawn after each row's set-up in a new scene.
// With clockwise front faces, cull mode 1 keeps it, -1 hides it, and Begin3D resets the mode.
// A red fog (colour 0x0000FF) tints it, green and blue alike; by hand, linear fog from 500 to
// 1500 is half strong there, exponential fog of density ln 2 / 1000 too, and the default
// range, near to far, 100 to 20000, tints by (1000 - 100) / 19900.
TEST_F(SceneTest, CullModeAndFogChangeTheSquareFacingTheCamera) {
    BuildSquare(1, 40);
    auto fog = [](double colour, double mode, double start, double end) {
        return [=] { SetFog(colour, mode, start, end); };
    };
    const unsigned white = 0xFFFFFF, halfRed = 0x8080FF;
    const struct {
        std::function<void()> setUp;
        unsigned colour;
    } rows[] = {
        {[] { SetCullMode(1); }, white},
        {[] { SetCullMode(-1); }, 0},
        {[] {}, white}, // a new scene: culling off again
        {fog(0x0000FF, 0, 500, 1500), halfRed},
        {fog(0x0000FF, 0, 1500, 3000), white},
        {fog(0x0000FF, 1, 0.000693147, 0), halfRed},
        {fog(0x0000FF, 1, 0, 0.000693147), white},
        {fog(-1, 0, 500, 1500), white}, // fog off
        {fog(0x0000FF, 0, 0, 0), 0xF3F3FF},
    };
    for (const auto& row : rows) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LookAtOriginFrom(1000);
        row.setUp();
        DrawObject(1, 0);
        EXPECT_TRUE(Near(ColourOf(0, 0, 0), row.colour, 10))
            << "row " << &row - rows << ": " << std::hex << ColourOf(0, 0, 0);
        End3D();
    }
}

using EffectsAndSpritesTest = GlRuntimeTest;

// Seen from above and in front, a floor at y = 0 and a box floating above its centre.
TEST_F(EffectsAndSpritesTest, StencilShadowDarkensOnlyThePixelsUnderTheOccluder) {
    BuildBox(1, 400, 0, -400, 0); // the floor: its top at y = 0
    BuildBox(2, 50, 0, 150, 0);
    UploadPicture(8, 8, 8, [](int, int) { return 0xFFFFFFu; });
    UploadPicture(9, 8, 8, [](int, int) { return 0u; });
    for (bool shadow : {true, false}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Begin3D(100, 20000, 45);
        SetCamera(0, 600, 600, 0, 0, 0);
        DrawObject(1, 0);
        DrawObject(2, 0);
        // Under the box, beside it on the floor, and on it.
        int px[3], py[3];
        PixelOf(0, 0, 55, px[0], py[0]);
        PixelOf(250, 0, 0, px[1], py[1]);
        PixelOf(0, 200, 0, px[2], py[2]);
        // A texture pair still bound when the pass closes must not tint the darkening; with
        // the shadow light switched off again, objects are drawn plainly.
        SetTexture3D(8, 9);
        DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 1);
        if (!shadow) DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 0), SetTexture3D(-1, -1);
        DrawObject(2, 0);
        End3D();
        // Grey at half opacity over white under the box.
        EXPECT_NEAR(Channel(ReadPixel(px[0], py[0]), 0), shadow ? 191 : 255, 6);
        EXPECT_EQ(ReadPixel(px[1], py[1]), 0xFFFFFFu);
        EXPECT_EQ(ReadPixel(px[2], py[2]), 0xFFFFFFu);
        unsigned char stencil = 1;
        glReadPixels(px[0], 599 - py[0], 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
        EXPECT_EQ(stencil, 0) << "the pass leaves a clean stencil buffer behind";
    }
}

TEST_F(EffectsAndSpritesTest, CelShadingAndBumpMappingLightTheFacingSide) {
    BuildBox(2, 100, 0, 0, 0);
    LookAtOriginFrom(1000);
    SetCullMode(1);
    DefineLight(-2, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(2, 0);
    EXPECT_GT(Channel(ColourOf(0, 0, 100), 0), 200); // facing the light: the brightest step
    int px, py;
    PixelOf(101, 0, 100, px, py);
    EXPECT_EQ(ReadPixel(px + 1, py), 0u); // the outline or the background, never white
    End3D();

    // A flat normal map, (0, 0, 1) everywhere: the light in tangent space agrees with it.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    UploadPicture(7, 8, 8, [](int, int) { return 0xFF8080u; });
    BuildSquare(1, 100);
    LookAtOriginFrom(1000);
    SetTexture3D(7, -1);
    DefineLight(-1, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(1, 0);
    EXPECT_GT(Channel(ColourOf(0, 0, 0), 0), 150);
    End3D();
}

// A sprite stands on its point. Text: glyphs 32 world units wide centred on the point in the
// scene, or flat screen text at the projected point; culling and lighting are off only while
// the text is drawn.
TEST_F(EffectsAndSpritesTest, Sprite3DStandsOnItsPointAndPrint3DInTheSceneAndOnScreen) {
    UploadPicture(5, 64, 32, [](int, int) { return 0xFFFFFFu; });
    LookAtOriginFrom(1000);
    SetCullMode(-1);             // back faces only: the sprite is drawn all the same
    DrawSprite3D(5, 0, 0, 0, 4); // 128 wide, 64 high in world units
    DrawSprite3D(6, 0, 0, 0, 1); // empty slot: nothing, no harm
    // Just above the point and just below; the top and side edges.
    const struct {
        double x, y;
        unsigned colour;
    } probes[] = {{0, 5, 0xFFFFFF}, {0, -5, 0},         {0, 60, 0xFFFFFF},
                  {0, 70, 0},       {60, 30, 0xFFFFFF}, {70, 30, 0}};
    for (const auto& probe : probes)
        EXPECT_EQ(ColourOf(probe.x, probe.y, 0), probe.colour) << probe.x << "," << probe.y;
    End3D();
    for (const auto& [x, size, lit] : {std::tuple{0, 4, 20}, {200, 0, 10}}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LookAtOriginFrom(1000);
        SetLight(0, 0xFFFFFF);
        SetCullMode(1);
        Print3D(RtString("XX"), x, 0, 0, size);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_CULL_FACE));
        int px, py, count = 0;
        PixelOf(x, 0, 0, px, py);
        for (int y = py - 20; y < py; ++y)
            for (int sx = px - 20; sx < px + 20; ++sx)
                count += ReadPixel(sx, y) != 0;
        EXPECT_GT(count, lit) << "size " << size;
        End3D();
    }
}

} // namespace
