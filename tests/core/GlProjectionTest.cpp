// The 2D projection and viewport, rendered for real on the software rasteriser.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/AppCommands.h"
#include "support/TestRuntime.h"

namespace {

const unsigned kWhite = 0xFFFFFF;

void FillRect(float x0, float y0, float x1, float y1) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

class GlProjection : public GlRuntimeTest {};

TEST_F(GlProjection, OriginIsTheTopLeftPixel) {
    glClear(GL_COLOR_BUFFER_BIT);
    FillRect(0, 0, 1, 1);
    EXPECT_EQ(ReadPixel(0, 0), kWhite);
    EXPECT_EQ(ReadPixel(1, 0), 0u);
    EXPECT_EQ(ReadPixel(0, 1), 0u);
    EXPECT_EQ(ReadPixel(0, 599), 0u);
}

TEST_F(GlProjection, ViewportConfinesDrawingMeasuredFromTheTopLeft) {
    glClear(GL_COLOR_BUFFER_BIT);
    SetViewport(100, 50, 200, 100);
    FillRect(-1000, -1000, 5000, 5000);
    // Inside, on each edge of the rectangle 100..299 x 50..149.
    EXPECT_EQ(ReadPixel(100, 50), kWhite);
    EXPECT_EQ(ReadPixel(299, 149), kWhite);
    EXPECT_EQ(ReadPixel(200, 100), kWhite);
    // Just outside each edge.
    EXPECT_EQ(ReadPixel(99, 100), 0u);
    EXPECT_EQ(ReadPixel(300, 100), 0u);
    EXPECT_EQ(ReadPixel(200, 49), 0u);
    EXPECT_EQ(ReadPixel(200, 150), 0u);
}

TEST_F(GlProjection, ViewportOriginMapsToItsCorner) {
    glClear(GL_COLOR_BUFFER_BIT);
    SetViewport(100, 50, 200, 100);
    FillRect(0, 0, 1, 1);
    EXPECT_EQ(ReadPixel(100, 50), kWhite);
    EXPECT_EQ(ReadPixel(101, 50), 0u);
    EXPECT_EQ(ReadPixel(100, 51), 0u);
}

TEST_F(GlProjection, PresentFrameStartsTheNextFrameClearedWithTheWholeScreen) {
    SetViewport(100, 50, 200, 100);
    FillRect(0, 0, 5000, 5000);
    PresentFrame();
    EXPECT_EQ(ReadPixel(150, 80), 0u);
    FillRect(0, 0, 1, 1);
    EXPECT_EQ(ReadPixel(0, 0), kWhite);
}

TEST_F(GlProjection, ScreenSizeIsTheWindowSize) {
    double width = 0, height = 0;
    GetScreenSize(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

} // namespace
