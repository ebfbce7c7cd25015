// Consecutive sprites that share a texture and GL state are collected and drawn with one
// vertex-array call. Anything that changes GL state the sprites depend on, or reads the frame
// buffer, flushes the batch first.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

class OpenGLRainbows;

// A batch is drawn once it holds this many quads: the software rasteriser measured fastest with
// draws of this size (larger ones slowed it at 50 000 sprites a frame).
const size_t kMaxBatchQuads = 512;

class SpriteBatch {
  public:
    // Sprite slot the collected quads are textured with; -1 when nothing is collected.
    int id = -1;
    // Quads as x, y, s, t per corner, four corners each.
    std::vector<float> vertices;
    // Off: every sprite is drawn at once in immediate mode (for comparisons).
    bool enabled = true;
};

// Draws what the batch has collected. Cheap when it is empty.
void FlushSpriteBatch(OpenGLRainbows& device);
// Points the client arrays at unit 0 with no buffer object bound, as vertex-array drawing
// from memory needs.
void PrepareClientArrays(OpenGLRainbows& device);
