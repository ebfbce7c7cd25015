// The text form of object files: the word "DDDA", a version of at most 1.1, texture pairs,
// faces (convex polygons drawn as fans) and frames of vertex positions, with normals from
// version 1.1 on. "#" starts a comment that runs to the end of the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectFiles.h"

namespace gfx3d {

// What a text object file holds, as read.
struct TextObject {
    struct Face {
        uint8_t red = 0, green = 0, blue = 0;
        std::vector<int> vertexIndices;
        std::vector<int> textureIndices;
    };
    struct Frame {
        std::vector<float> positions; // x, y, z per vertex
        std::vector<float> normals;   // nx, ny, nz per vertex; zero below version 1.1
    };
    float version = 0;
    std::vector<float> u, v;
    std::vector<Face> faces;
    std::vector<Frame> frames;
};

// Parses the text form. Fails on a missing "DDDA", a version above 1.1, a token longer than
// 1023 bytes, a negative count, a texture index outside the texture pairs, or an end of the
// file before every counted token was read.
bool ParseTextObject(const char* data, size_t size, TextObject& object);

// Turns a parsed object into the part's frames (one fan per face) and packs it; objects below
// version 1.1 get normals computed per record. Fails on a vertex index outside its frame and
// on more than 256 distinct colours (ReadError), and on objects too large to hold (OutOfMemory).
ObjectReadResult ConvertTextObject(const TextObject& object, MeshObjectX& part);

} // namespace gfx3d
