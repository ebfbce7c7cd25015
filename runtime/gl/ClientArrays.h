// Vertex arrays a draw may leave enabled for the next draw with the same layout, so a run of
// object draws sets its arrays up once instead of once per draw (switching arrays on and off
// makes the GL driver validate its vertex state again, which costs more than a small draw).
// Whoever else draws from client arrays or binds the array buffer releases them first.
#pragma once

#include <GL/gl.h>

class OpenGLRainbows;

enum ArrayBits : unsigned {
    kVertexArray = 1,
    kNormalArray = 2,
    kColourArray = 4,
    kTexCoordArray0 = 8,
    kTexCoordArray1 = 16,
};

// What is enabled and where it points: the buffer object (0 for client memory) and the address
// or offset of the first vertex. A layout of 0 means nothing is kept.
struct ArrayLayout {
    GLuint buffer = 0;
    const void* base = nullptr;
    unsigned arrays = 0;

    bool operator==(const ArrayLayout& other) const {
        return buffer == other.buffer && base == other.base && arrays == other.arrays;
    }
};

// Switches off the kept arrays, unbinds the array buffer and leaves client unit 0 active.
void ReleaseKeptArrays(OpenGLRainbows& device);
