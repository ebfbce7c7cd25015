// Texturing objects: the texture pair, texture offsets, model-set textures, and the state the
// frame flip and the viewport reset.
#include <GL/gl.h>

#include "DrawTestSupport.h"
#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"

namespace {

const unsigned kRed = 0x0000FF;
const unsigned kBlue = 0xFF0000;
const unsigned kGreen = 0x00FF00;

class TexturingTest : public GlRuntimeTest {
  protected:
    void SetUp() override {
        GlRuntimeTest::SetUp();
        // Left half red, right half blue.
        gfx2d::DecodedImage halves;
        halves.width = halves.height = 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                halves.pixels.insert(halves.pixels.end(),
                                     {static_cast<unsigned char>(x < 32 ? 255 : 0), 0,
                                      static_cast<unsigned char>(x < 32 ? 0 : 255), 255});
        ASSERT_EQ(gfx2d::UploadImageToSlot(*Rt().gfx, 3, halves, false), 1);
        BuildSquare(1, 100);
        LookAtOriginFrom(1000);
    }
    // Draws object 1 over whatever was drawn before.
    static void Redraw() {
        ClearDepth();
        DrawObject(1, 0);
    }
    // Colours at a quarter and three quarters across the square.
    static unsigned LeftColour() { return ColourAt(-50); }
    static unsigned RightColour() { return ColourAt(50); }
    static unsigned ColourAt(double x) {
        int px, py;
        PixelOf(x, 0, 0, px, py);
        return ReadPixel(px, py);
    }
};

TEST_F(TexturingTest, TexturePairOnAndOff) {
    SetTexture3D(3, -1);
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);
    EXPECT_EQ(RightColour(), kBlue);
    SetTexture3D(-1, -1);
    Redraw();
    EXPECT_EQ(LeftColour(), 0xFFFFFFu);
    End3D();
}

// A texture of 4 x 4 cells in distinct colours: drawn with an offset of whole cells, every
// cell shows the colour that the cell the offset points at shows without one. Objects keep v
// negated for drawing, so an offset along v points down the object's v.
TEST_F(TexturingTest, OffsetsShiftTheTextureInBothDirections) {
    gfx2d::DecodedImage cells;
    cells.width = cells.height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            cells.pixels.insert(cells.pixels.end(),
                                {static_cast<unsigned char>(60 * (x / 16) + 30),
                                 static_cast<unsigned char>(60 * (y / 16) + 30), 128, 255});
    ASSERT_EQ(gfx2d::UploadImageToSlot(*Rt().gfx, 4, cells, false), 1);
    SetTexture3D(4, -1);
    // The square's texture runs from u = 0 at x = -100 to 1 at x = 100, v likewise along y.
    auto cellColour = [](int i, int j) {
        ClearDepth();
        DrawObject(1, 0);
        int px, py;
        PixelOf(-75 + 50 * i, -75 + 50 * j, 0, px, py);
        return ReadPixel(px, py);
    };
    unsigned plain[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            plain[i][j] = cellColour(i, j);
    const int offsets[][2] = {{1, 0}, {0, 1}, {3, 2}, {-1, -3}};
    for (const auto& offset : offsets) {
        SetTextureOffset(offset[0] / 4.0, offset[1] / 4.0);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_EQ(cellColour(i, j), plain[(i + offset[0] + 4) % 4][(j - offset[1] + 4) % 4])
                    << "offset " << offset[0] << "," << offset[1] << " cell " << i << "," << j;
    }
    SetTextureOffset(0, 0);
    EXPECT_EQ(cellColour(1, 2), plain[1][2]);
    End3D();
}

TEST_F(TexturingTest, OffsetDoesNotAddUpOverBlendedDraws) {
    AddShiftedFrames(1, 2, 0);
    SetTexture3D(3, -1);
    SetTextureOffset(0.5, 0);
    for (int draw = 0; draw < 3; ++draw) {
        ClearDepth();
        DrawObjectAnim(1, 0, 1, 0.5, 0);
        EXPECT_EQ(LeftColour(), kBlue) << draw;
    }
    End3D();
}

TEST_F(TexturingTest, ModelSetPartsUseTheSlotsTextures) {
    ObjectSlot* slot = Rt().objects->Slot(1);
    GLuint own = 0;
    glGenTextures(1, &own);
    glBindTexture(GL_TEXTURE_2D, own);
    const unsigned char blue[4] = {0, 0, 255, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, blue);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    slot->modelSet = 1;
    slot->textures.Push(own);
    MeshObjectX& part = slot->parts[0];
    part.textureA = 0;
    part.textureB = 5;   // beyond the list: no second texture
    SetTexture3D(3, -1); // the sprite pair is not used for model sets
    Redraw();
    EXPECT_EQ(LeftColour(), kBlue);
    part.textureA = 9; // beyond the list: untextured
    Redraw();
    EXPECT_EQ(LeftColour(), 0xFFFFFFu);
    End3D();
}

// Draws skip setting up what the draw before them left in place; each change of texture pair,
// of model-set textures and of effect must still reach the second texture unit.
TEST_F(TexturingTest, SecondTextureFollowsEveryChangeOfBinding) {
    UploadPlain(4, 128);
    SetTexture3D(3, 4);
    Redraw();
    EXPECT_NEAR(Red(LeftColour()), 128, 3);
    SetTexture3D(3, -1);
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);
    SetTexture3D(3, 4);
    Redraw();
    EXPECT_NEAR(Red(LeftColour()), 128, 3);

    // A model set's own pair, then the sprite texture alone again.
    BuildSquare(2, 100);
    ObjectSlot* set = Rt().objects->Slot(2);
    set->modelSet = 1;
    set->textures.Push(gfx2d::Sprites(*Rt().gfx).slots[3].plainTexture);
    set->textures.Push(gfx2d::Sprites(*Rt().gfx).slots[4].plainTexture);
    set->parts[0].textureA = 0;
    set->parts[0].textureB = 1;
    ClearDepth();
    DrawObject(2, 0);
    EXPECT_NEAR(Red(LeftColour()), 128, 3);
    SetTexture3D(3, -1);
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);

    // Cel shading uses the second unit for its ramp.
    DefineLight(-2, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    Redraw();
    DefineLight(-2, 0, 0, 0, 0, 0, 0, 0, 0);
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);
    End3D();
}

TEST_F(TexturingTest, DrawsAfterOtherDrawingOrChangedObjectsUseTheirOwnVertices) {
    SetTexture3D(-1, -1);
    BuildSquare(2, 100, kGreen); // vertex colours
    DrawObject(2, 0);
    EXPECT_EQ(LeftColour(), kGreen);
    Redraw(); // white, without vertex colours
    EXPECT_EQ(LeftColour(), 0xFFFFFFu);
    SetTexture3D(3, -1); // the same vertices, now with texture coordinates
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);
    EXPECT_EQ(RightColour(), kBlue);

    // 2D drawing between two draws of one object.
    End3D();
    DrawRect(0, 0, 20, 20, kGreen);
    EXPECT_EQ(ReadPixel(5, 5), kGreen);
    LookAtOriginFrom(1000);
    SetTexture3D(3, -1);
    Redraw();
    EXPECT_EQ(LeftColour(), kRed);
    EXPECT_EQ(RightColour(), kBlue);

    // The object rebuilt smaller between two draws: its new buffer is drawn.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BuildSquare(1, 30);
    DrawObject(1, 0);
    EXPECT_EQ(ColourAt(-80), 0u);
    EXPECT_EQ(ColourAt(-20), kRed);
    End3D();
}

} // namespace
