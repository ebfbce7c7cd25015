// The debug drawing shared by the 3D commands: plain-colour lines with lighting and texturing
// off while they are drawn.
#pragma once

#include <cstdint>

class OpenGLRainbows;

namespace gfx3d {

// Line segments between consecutive pairs of points (world space), width limited to 1..512,
// colour 0xBBGGRR.
void DrawDebugSegments(OpenGLRainbows& device, const float (*points)[3], int pointCount,
                       double width, int64_t colour);

} // namespace gfx3d
