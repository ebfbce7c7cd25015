// Consecutive sprites that share a texture and GL state are collected and drawn with one
// vertex-array call. Anything that changes GL state the sprites depend on, or reads the frame
// buffer, flushes the batch first.
#pragma once

#include <GL/gl.h>

#include <vector>

class OpenGLRainbows;

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
// Adds one textured quad of sprite id; corners in drawing order with their texture coordinates.
void BatchQuad(OpenGLRainbows& device, int id, const float corners[16]);
// Points the client arrays at unit 0 with no buffer object bound, as vertex-array drawing
// from memory needs.
void PrepareClientArrays(OpenGLRainbows& device);
