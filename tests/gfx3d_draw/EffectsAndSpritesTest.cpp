// Stencil shadows, the other effects, camera-facing sprites and text, and debug drawing.
#include <GL/gl.h>

#include "DrawTestSupport.h"
#include "core/Runtime.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"

namespace {

class EffectsAndSpritesTest : public GlRuntimeTest {};

// Seen from above and in front, a floor at y = 0 and a box floating above its centre.
TEST_F(EffectsAndSpritesTest, StencilShadowDarkensOnlyThePixelsUnderTheOccluder) {
    BuildFloor(1, 400, 0);
    BuildBox(2, 50, 0, 150, 0);
    Begin3D(100, 20000, 45);
    SetCamera(0, 600, 600, 0, 0, 0);
    DrawObject(1, 0);
    DrawObject(2, 0);
    int shadowX, shadowY, openX, openY, topX, topY;
    PixelOf(0, 0, 55, shadowX, shadowY);
    PixelOf(250, 0, 0, openX, openY);
    PixelOf(0, 200, 0, topX, topY);
    ASSERT_EQ(ReadPixel(shadowX, shadowY), 0xFFFFFFu);

    // A texture pair still bound when the pass closes must not tint the darkening.
    UploadPlain(8, 255);
    UploadPlain(9, 0);
    SetTexture3D(8, 9);
    DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 1);
    DrawObject(2, 0);
    End3D();
    // Grey at half opacity over white.
    EXPECT_NEAR(Red(ReadPixel(shadowX, shadowY)), 191, 6);
    EXPECT_EQ(ReadPixel(openX, openY), 0xFFFFFFu);
    EXPECT_EQ(ReadPixel(topX, topY), 0xFFFFFFu);
    // The pass leaves a clean stencil buffer behind.
    unsigned char stencil = 1;
    glReadPixels(shadowX, 599 - shadowY, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
    EXPECT_EQ(stencil, 0);

    // With the shadow light off again, objects are drawn plainly.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Begin3D(100, 20000, 45);
    SetCamera(0, 600, 600, 0, 0, 0);
    DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 1);
    DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 0);
    SetTexture3D(-1, -1);
    DrawObject(2, 0);
    EXPECT_EQ(ReadPixel(topX, topY), 0xFFFFFFu);
    End3D();
}

TEST_F(EffectsAndSpritesTest, CelShadingAndBumpMappingLightTheFacingSide) {
    BuildBox(2, 100, 0, 0, 0);
    LookAtOriginFrom(1000);
    SetCullMode(1);
    DefineLight(-2, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(2, 0);
    int px, py;
    PixelOf(0, 0, 100, px, py);
    EXPECT_GT(Red(ReadPixel(px, py)), 200); // facing the light: the brightest step
    PixelOf(101, 0, 100, px, py);
    EXPECT_EQ(ReadPixel(px + 1, py), 0u); // the outline or the background, never white
    End3D();

    // A flat normal map, (0, 0, 1) everywhere: the light in tangent space agrees with it.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DecodedImage flat;
    flat.width = flat.height = 8;
    for (int i = 0; i < 64; ++i)
        flat.pixels.insert(flat.pixels.end(), {128, 128, 255, 255});
    ASSERT_EQ(UploadImageToSlot(*Rt().gfx, 7, flat, false), 1);
    BuildSquare(1, 100);
    LookAtOriginFrom(1000);
    SetTexture3D(7, -1);
    DefineLight(-1, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(1, 0);
    PixelOf(0, 0, 0, px, py);
    EXPECT_GT(Red(ReadPixel(px, py)), 150);
    End3D();
}

TEST_F(EffectsAndSpritesTest, Sprite3DStandsOnItsPoint) {
    DecodedImage picture;
    picture.width = 64;
    picture.height = 32;
    picture.pixels.assign(64 * 32 * 4, 255);
    ASSERT_EQ(UploadImageToSlot(*Rt().gfx, 5, picture, false), 1);
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
    for (const auto& probe : probes) {
        int px, py;
        PixelOf(probe.x, probe.y, 0, px, py);
        EXPECT_EQ(ReadPixel(px, py), probe.colour) << probe.x << "," << probe.y;
    }
    End3D();
}

TEST_F(EffectsAndSpritesTest, Print3DInTheSceneAndOnScreen) {
    LookAtOriginFrom(1000);
    SetLight(0, 0xFFFFFF);
    SetCullMode(1);
    // Lit pixels in a square of side 2 * reach left and right of the point and above it.
    auto litAbove = [](double x, int reach) {
        int px, py, lit = 0;
        PixelOf(x, 0, 0, px, py);
        for (int y = py - reach; y < py; ++y)
            for (int sx = px - reach; sx < px + reach; ++sx)
                lit += ReadPixel(sx, y) != 0;
        return lit;
    };
    // Glyphs 32 world units wide centred on the point; culling and lighting are off only
    // while the text is drawn.
    Print3D(RtString("XX"), 0, 0, 0, 4);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_GT(litAbove(0, 30), 20);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Print3D(RtString("XX"), 200, 0, 0, 0); // flat screen text at the projected point
    EXPECT_GT(litAbove(200, 20), 10);
    End3D();
}

} // namespace
