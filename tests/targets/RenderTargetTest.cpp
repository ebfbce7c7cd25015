// Render targets on both paths: framebuffer objects, and copying through the screen when
// VORNIC_NO_FRAMEBUFFERS turns them off. Every test is one table over the two paths, read back
// from a real GL context.
#include <GL/gl.h>

#include <cstdlib>

#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

const unsigned kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kGrey = 0x808080;

class RenderTargets : public GlRuntimeTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) setenv("VORNIC_NO_FRAMEBUFFERS", "1", 1);
        GlRuntimeTest::SetUp();
        unsetenv("VORNIC_NO_FRAMEBUFFERS");
        DrawRect(0, 0, 800, 600, kBlue);
    }
};

struct Probe {
    int x, y;
    unsigned colour;
};

// Reads each probe at (x + dx, y + dy).
void ExpectPixels(std::initializer_list<Probe> probes, int dx = 0, int dy = 0) {
    for (const Probe& p : probes)
        EXPECT_EQ(ReadPixel(p.x + dx, p.y + dy), p.colour) << "at " << p.x << "," << p.y;
}

// A square of side 2 * half at depth z facing the camera on +z, in colour.
void BuildSquareAt(int id, float half, float z, unsigned colour) {
    BeginObject(id);
    for (int i = 0; i < 4; ++i)
        AddObjectVertex(i & 2 ? half : -half, i & 1 ? half : -half, z, 0, 0, colour);
    EndObject();
}

// Drawing goes into the target's sprite and leaves the screen alone; making another target
// current ends the one before.
TEST_P(RenderTargets, DrawingGoesIntoTheSpriteAndLeavesTheScreenAlone) {
    CreateRenderTarget(0, 5, 300, 200);
    double w = 0, h = 0;
    GetSpriteSize(5, w, h);
    EXPECT_EQ(w * 1000 + h, 300200);
    CreateRenderTarget(1, 6, 1e12, 1); // an absurd width is cut
    GetSpriteSize(6, w, h);
    EXPECT_EQ(w * 1000 + h, 4096001);
    GLint texture[2] = {};
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(GetSpriteTexture(5)));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texture[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texture[1]);
    EXPECT_EQ(texture[0] * 1000 + texture[1], 512256);

    CreateRenderTarget(3, 7, 64, 64);
    SetRenderTarget(0);
    DrawRect(10, 20, 50, 40, kRed);
    DrawRect(250, 150, 60, 60, kGreen); // cut at the picture's corner
    SetRenderTarget(3);                 // ends target 0
    DrawRect(0, 32, 64, 32, kGreen);
    SetRenderTarget(-1);
    // A second round draws on what the first left.
    SetRenderTarget(0);
    DrawRect(100, 100, 10, 10, kGrey);
    EXPECT_EQ(GetPixel(10, 20) + GetPixel(100, 100) * 2, kRed + kGrey * 2); // from the target
    SetRenderTarget(-1);

    ExpectPixels({{10, 20, kBlue}, {299, 199, kBlue}, {300, 200, kBlue}, {105, 105, kBlue}});
    DrawSprite(5, 400, 300);
    DrawSprite(7, 0, 300);
    // Where nothing was drawn the pictures are transparent and the screen shows through.
    const std::initializer_list<Probe> picture = {
        {10, 20, kRed},     {59, 59, kRed},     {60, 20, kBlue},   {9, 20, kBlue},
        {250, 150, kGreen}, {299, 199, kGreen}, {300, 199, kBlue}, {299, 200, kBlue},
        {105, 105, kGrey},  {0, 0, kBlue}};
    ExpectPixels(picture, 400, 300);
    ExpectPixels({{10, 10, kBlue}, {10, 50, kGreen}}, 0, 300);
}

TEST_P(RenderTargets, TheFrameFlipFinishesATargetAndFullScreenKeepsThem) {
    CreateRenderTarget(2, 8, 32, 32);
    SetScreenMode(800, 600, 1);
    SetRenderTarget(2);
    DrawRect(0, 0, 16, 32, kRed);
    PresentFrame();
    SetScreenMode(800, 600, 0);
    DrawSprite(8, 0, 0);
    ExpectPixels({{8, 8, kRed}, {24, 8, 0}}); // beside it the new frame's cleared screen
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
    DrawSprite(5, 400, 300);
    ExpectPixels({{150, 100, kBlue}, {550, 400, kRed}, {550, 370, kGreen}});
}

INSTANTIATE_TEST_SUITE_P(BothPaths, RenderTargets, ::testing::Bool(), [](const auto& path) {
    return std::string(path.param ? "Copying" : "Framebuffer");
});

} // namespace
