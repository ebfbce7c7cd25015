// The 2D projection and viewport, rendered for real on the software rasteriser.
#include <GL/gl.h>
#include <vector>

#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

using GlProjection = GlRuntimeTest;

// The bounding box of the lit pixels of the screen (left, top, right, bottom, measured from the
// top-left) and their number.
std::vector<int> LitPixels() {
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<int> box = {800, 600, -1, -1, 0};
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (rgba[((599 - y) * 800 + x) * 4])
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
                       std::max(box[3], y), box[4] + 1};
    return box;
}

// A rectangle drawn in a viewport lights exactly its pixels, the origin being the viewport's
// top-left corner; the frame flip gives the whole screen back.
TEST_F(GlProjection, OriginIsTheTopLeftPixelOfTheViewportUntilTheFrameFlip) {
    // Rectangle (x, y, width, height) -> the lit pixels' box and number.
    const std::pair<std::vector<double>, std::vector<int>> rows[] = {
        {{0, 0, 1, 1}, {100, 50, 100, 50, 1}},
        {{-1000, -1000, 6000, 6000}, {100, 50, 299, 149, 20000}}};
    SetViewport(100, 50, 200, 100);
    for (const auto& [rect, lit] : rows) {
        glClear(GL_COLOR_BUFFER_BIT);
        DrawRect(rect[0], rect[1], rect[2], rect[3], 0xFFFFFF);
        EXPECT_EQ(LitPixels(), lit) << "rectangle at " << rect[0] << "," << rect[1];
    }
    // The next frame starts cleared, with the whole screen as its viewport.
    PresentFrame();
    EXPECT_EQ(ReadPixel(150, 80), 0u);
    DrawRect(0, 0, 1, 1, 0xFFFFFF);
    EXPECT_EQ(ReadPixel(0, 0), 0xFFFFFFu);
}

} // namespace
