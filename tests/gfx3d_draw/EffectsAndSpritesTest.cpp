// Stencil shadows, the other effects, camera-facing sprites and text, and debug drawing.
#include <GL/gl.h>

#include "DrawTestSupport.h"
#include "core/Runtime.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"

namespace {

class EffectsAndSpritesTest : public GlRuntimeTest {};

// A floor at y = 0 and a box floating above its centre, seen from above and in front.
void DrawFloorAndBox() {
    BuildFloor(1, 400, 0);
    BuildBox(2, 50, 0, 150, 0);
    Begin3D(100, 20000, 45);
    SetCamera(0, 600, 600, 0, 0, 0);
    DrawObject(1, 0);
    DrawObject(2, 0);
}

TEST_F(EffectsAndSpritesTest, StencilShadowDarkensOnlyThePixelsUnderTheOccluder) {
    DrawFloorAndBox();
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
    EXPECT_TRUE(Rt().scene.get()->shadowPass);
    DrawObject(2, 0);
    End3D();
    EXPECT_FALSE(Rt().scene.get()->shadowPass);

    const unsigned shadow = ReadPixel(shadowX, shadowY);
    // Grey at half opacity over white.
    EXPECT_NEAR(Red(shadow), 191, 6);
    EXPECT_EQ(ReadPixel(openX, openY), 0xFFFFFFu);
    EXPECT_EQ(ReadPixel(topX, topY), 0xFFFFFFu);
    // The pass leaves a clean stencil buffer behind.
    unsigned char stencil = 1;
    glReadPixels(shadowX, 599 - shadowY, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
    EXPECT_EQ(stencil, 0);
}

TEST_F(EffectsAndSpritesTest, ShadowLightOffDrawsObjectsAgain) {
    DrawFloorAndBox();
    DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 1);
    DefineLight(-3, 0xFFFFFF, 0, 1000, 0, 0, 0, 0, 0);
    EXPECT_FALSE(Rt().scene.get()->shadowPass);
    EXPECT_FALSE(Rt().scene.get()->effectLight.enabled);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawObject(2, 0);
    int px, py;
    PixelOf(0, 200, 0, px, py);
    EXPECT_EQ(ReadPixel(px, py), 0xFFFFFFu);
    End3D();
}

TEST_F(EffectsAndSpritesTest, CelShadingDrawsShadedWithAnOutline) {
    BuildBox(2, 100, 0, 0, 0);
    LookAtOriginFrom(1000);
    SetCullMode(1);
    DefineLight(-2, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(2, 0);
    MeshObjectX* part = FirstPart(2);
    ASSERT_NE(part, nullptr);
    EXPECT_NE(part->texture, 0u); // the brightness ramp
    int px, py;
    PixelOf(0, 0, 100, px, py);
    EXPECT_GT(Red(ReadPixel(px, py)), 200); // facing the light: the brightest step
    PixelOf(101, 0, 100, px, py);
    EXPECT_EQ(ReadPixel(px + 1, py), 0u); // the outline or the background, never white
    End3D();
}

TEST_F(EffectsAndSpritesTest, BumpMappingDrawsWithAFlatNormalMap) {
    OpenGLRainbows& device = *Rt().gfx;
    gfx2d::DecodedImage flat;
    flat.width = flat.height = 8;
    for (int i = 0; i < 64; ++i)
        flat.pixels.insert(flat.pixels.end(), {128, 128, 255, 255}); // normal (0, 0, 1)
    ASSERT_EQ(gfx2d::UploadImageToSlot(device, 7, flat, false), 1);
    BuildSquare(1, 100);
    LookAtOriginFrom(1000);
    SetTexture3D(7, -1);
    DefineLight(-1, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    DrawObject(1, 0);
    int px, py;
    PixelOf(0, 0, 0, px, py);
    // Tangent-space light and normal map agree: the dot product is bright.
    EXPECT_GT(Red(ReadPixel(px, py)), 150);
    End3D();
}

TEST_F(EffectsAndSpritesTest, Sprite3DStandsOnItsPoint) {
    OpenGLRainbows& device = *Rt().gfx;
    gfx2d::DecodedImage picture;
    picture.width = 64;
    picture.height = 32;
    picture.pixels.assign(64 * 32 * 4, 255);
    ASSERT_EQ(gfx2d::UploadImageToSlot(device, 5, picture, false), 1);
    LookAtOriginFrom(1000);
    DrawSprite3D(5, 0, 0, 0, 4); // 128 wide, 64 high in world units
    int px, py;
    PixelOf(0, 0, 0, px, py);
    EXPECT_EQ(ReadPixel(px, py - 3), 0xFFFFFFu); // just above the point
    EXPECT_EQ(ReadPixel(px, py + 3), 0u);        // just below: nothing
    int topX, topY, sideX, sideY;
    PixelOf(0, 60, 0, topX, topY);
    EXPECT_EQ(ReadPixel(topX, topY), 0xFFFFFFu);
    PixelOf(0, 70, 0, topX, topY);
    EXPECT_EQ(ReadPixel(topX, topY), 0u);
    PixelOf(60, 30, 0, sideX, sideY);
    EXPECT_EQ(ReadPixel(sideX, sideY), 0xFFFFFFu);
    PixelOf(70, 30, 0, sideX, sideY);
    EXPECT_EQ(ReadPixel(sideX, sideY), 0u);
    EXPECT_EQ(Rt().scene.get()->cullMode, 0);
    DrawSprite3D(6, 0, 0, 0, 1); // empty slot: nothing, no harm
    End3D();
}

TEST_F(EffectsAndSpritesTest, Print3DInTheSceneAndOnScreen) {
    LookAtOriginFrom(1000);
    SetLight(0, 0xFFFFFF);
    SetCullMode(1);
    Print3D(RtString("XX"), 0, 0, 0, 4);
    // Culling and lighting are off only while the text is drawn.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    int px, py;
    PixelOf(0, 0, 0, px, py);
    // Glyphs 32 world units wide centred on the point: something is drawn near it.
    int lit = 0;
    for (int y = py - 30; y < py; ++y)
        for (int x = px - 30; x < px + 30; ++x)
            lit += ReadPixel(x, y) != 0;
    EXPECT_GT(lit, 20);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Print3D(RtString("XX"), 200, 0, 0, 0);
    PixelOf(200, 0, 0, px, py);
    lit = 0;
    for (int y = py - 20; y < py; ++y)
        for (int x = px - 20; x < px + 20; ++x)
            lit += ReadPixel(x, y) != 0;
    EXPECT_GT(lit, 10);
    End3D();
}

} // namespace
