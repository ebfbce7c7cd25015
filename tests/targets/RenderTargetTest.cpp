// Render targets on both paths: framebuffer objects, and copying through the screen when
// VORNIC_NO_FRAMEBUFFERS turns them off. Every test is one table over the two paths, read back
// from a real GL context.
#include <GL/gl.h>

#include <cstdlib>

#include "app/AppCommands.h"
#include "gfx2d/RenderTargetCommands.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/SceneCommands.h"
#include "support/TestRuntime.h"

namespace {

const unsigned kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kGrey = 0x808080;

class RenderTargets : public GlRuntimeTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        if (Copying()) setenv("VORNIC_NO_FRAMEBUFFERS", "1", 1);
        GlRuntimeTest::SetUp();
        unsetenv("VORNIC_NO_FRAMEBUFFERS");
        DrawRect(0, 0, 800, 600, kBlue);
    }
    static bool Copying() { return GetParam(); }
};

std::string PathName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Copying" : "Framebuffer";
}

// A square of side 2 * half at depth z facing the camera on +z, in colour.
void BuildSquareAt(int id, float half, float z, unsigned colour) {
    BeginObject(id);
    NewObjectGroup();
    const float corners[4][2] = {{-half, -half}, {-half, half}, {half, -half}, {half, half}};
    for (const auto& c : corners)
        AddObjectVertex(c[0], c[1], z, 0, 0, colour);
    EndObject();
}

TEST_P(RenderTargets, CreatingGivesTheSpriteABlankPowerOfTwoTexture) {
    CreateRenderTarget(0, 5, 300, 200);
    double w = 0, h = 0;
    GetSpriteSize(5, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    GLint texWidth = 0, texHeight = 0;
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(GetSpriteTexture(5)));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texHeight);
    EXPECT_EQ(texWidth, 512);
    EXPECT_EQ(texHeight, 256);
    // Blank means transparent: the screen shows through all of it.
    DrawSprite(5, 100, 100);
    EXPECT_EQ(ReadPixel(100, 100), kBlue);
    EXPECT_EQ(ReadPixel(399, 299), kBlue);
    // Ids outside the table change nothing.
    CreateRenderTarget(32, 6, 64, 64);
    GetSpriteSize(6, w, h);
    EXPECT_EQ(w, 0);
}

TEST_P(RenderTargets, DrawingGoesIntoTheSpriteAndLeavesTheScreenAlone) {
    CreateRenderTarget(0, 5, 300, 200);
    SetRenderTarget(0);
    DrawRect(10, 20, 50, 40, kRed);
    DrawRect(250, 150, 60, 60, kGreen); // cut at the picture's corner
    SetRenderTarget(-1);
    // A second round draws on what the first left.
    SetRenderTarget(0);
    DrawRect(100, 100, 10, 10, kGrey);
    SetRenderTarget(-1);

    const struct {
        int x, y;
        unsigned colour;
    } screen[] = {{10, 20, kBlue}, {299, 199, kBlue}, {300, 200, kBlue}, {105, 105, kBlue}};
    for (const auto& p : screen)
        EXPECT_EQ(ReadPixel(p.x, p.y), p.colour) << "screen at " << p.x << "," << p.y;

    DrawSprite(5, 400, 300);
    const struct {
        int x, y;
        unsigned colour;
    } shown[] = {{10, 20, kRed},     {59, 59, kRed},     {60, 20, kBlue},   {9, 20, kBlue},
                 {250, 150, kGreen}, {299, 199, kGreen}, {300, 199, kBlue}, {299, 200, kBlue},
                 {105, 105, kGrey},  {0, 0, kBlue}};
    for (const auto& p : shown)
        EXPECT_EQ(ReadPixel(400 + p.x, 300 + p.y), p.colour) << "picture at " << p.x << "," << p.y;
}

TEST_P(RenderTargets, ATargetMadeCurrentEndsTheOneBefore) {
    CreateRenderTarget(1, 6, 64, 64);
    CreateRenderTarget(3, 7, 64, 64);
    SetRenderTarget(1);
    DrawRect(0, 0, 64, 64, kRed);
    SetRenderTarget(3);
    DrawRect(0, 32, 64, 32, kGreen);
    SetRenderTarget(-1);
    EXPECT_EQ(ReadPixel(10, 10), kBlue);
    EXPECT_EQ(ReadPixel(10, 50), kBlue);
    DrawSprite(6, 200, 0);
    DrawSprite(7, 300, 0);
    EXPECT_EQ(ReadPixel(210, 10), kRed);
    EXPECT_EQ(ReadPixel(210, 50), kRed);
    EXPECT_EQ(ReadPixel(310, 10), kBlue);
    EXPECT_EQ(ReadPixel(310, 50), kGreen);
}

TEST_P(RenderTargets, TheFrameFlipFinishesATargetAndFullScreenKeepsThem) {
    CreateRenderTarget(2, 8, 32, 32);
    SetScreenMode(800, 600, 1);
    SetRenderTarget(2);
    DrawRect(0, 0, 16, 32, kRed);
    PresentFrame();
    SetScreenMode(800, 600, 0);
    DrawSprite(8, 0, 0);
    EXPECT_EQ(ReadPixel(8, 8), kRed);
    EXPECT_EQ(ReadPixel(24, 8), 0u); // the new frame's cleared screen
}

TEST_P(RenderTargets, ASceneInATargetHasWorkingDepth) {
    // The near red square is drawn first; the far green one behind it must not cover it.
    BuildSquareAt(1, 50, 100, kRed);
    BuildSquareAt(2, 200, -100, kGreen);
    CreateRenderTarget(0, 5, 300, 200);
    SetRenderTarget(0);
    Begin3D(100, 5000, 45);
    SetCamera(0, 0, 1000, 0, 0, 0);
    DrawObject(1, 0);
    DrawObject(2, 0);
    End3D();
    SetRenderTarget(-1);
    EXPECT_EQ(ReadPixel(150, 100), kBlue);
    DrawSprite(5, 400, 300);
    EXPECT_EQ(ReadPixel(400 + 150, 300 + 100), kRed);
    EXPECT_EQ(ReadPixel(400 + 150, 300 + 70), kGreen);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, RenderTargets, ::testing::Bool(), PathName);

} // namespace
