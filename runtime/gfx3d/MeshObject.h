// The object model: frames of packed vertices, the vertex records drawing works with, and the
// parts (MeshObjectX) that the object table's slots hold.
#pragma once

#include <GL/gl.h>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "gfx3d/GrowArray.h"

namespace collision {
class TriangleTree;
}
class OpenGLRainbows;

// Colour values of 0xFFFFFFFC and above are codes. The three markers start a fan, a strip or
// a list of separate triangles in a vertex stream; they carry no geometry.
constexpr uint32_t ColorWhite = 0xFFFFFFFCu;
constexpr uint32_t ColorFanStart = 0xFFFFFFFDu;
constexpr uint32_t ColorStripStart = 0xFFFFFFFEu;
constexpr uint32_t ColorListStart = 0xFFFFFFFFu;

inline bool IsColourCode(uint32_t colour) {
    return colour >= ColorWhite;
}
inline bool IsMarker(uint32_t colour) {
    return colour >= ColorFanStart;
}

// A vertex as stored: position quantised to a byte per axis, normal, tangent and bitangent as
// indices into the normal table, and a colour-table index.
struct PackedVertex {
    uint8_t x = 0, y = 0, z = 0;
    uint8_t normal = 0, tangent = 0, bitangent = 0;
    uint8_t colourIndex = 0;
};
static_assert(sizeof(PackedVertex) == 7, "packed vertices are seven bytes");

// A full vertex as drawn: 22 values of 32 bits, the stride of the vertex arrays.
struct DrawVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
    float spare[3] = {0, 0, 0};
    float tx = 0, ty = 0, tz = 0;
    float bx = 0, by = 0, bz = 0;
    uint32_t colour = 0;
    uint32_t colourIndex = 0;
    float red = 0, green = 0, blue = 0;
};
static_assert(sizeof(DrawVertex) == 88, "draw vertices are 22 values of 32 bits");

// Where a field of the first vertex lies for the GL array pointers: in client memory, or, with
// base null, as an offset into the bound buffer object. Added as integers, because an offset
// from a null pointer is no pointer arithmetic C++ allows.
inline const void* VertexField(const char* base, size_t offset) {
    return reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(base) + offset);
}

// A marker vertex: no geometry, white, the given code as its colour.
DrawVertex MarkerVertex(uint32_t code);
// Gives the vertex a colour number and the channels it is drawn with (white for a marker code).
void SetVertexColour(DrawVertex& vertex, uint32_t colour);

// One animation frame. Positions decode as (byte - offset) * scale per axis.
struct ObjectFrame {
    GrowArray<DrawVertex> workVertices; // while an object is built or converted
    GrowArray<DrawVertex> triangles;    // three per triangle, filled by BuildTriangles
    GrowArray<PackedVertex> packed;
    float offset[3] = {0, 0, 0};
    float scale[3] = {1, 1, 1};
    float radius = 0;
    float centre[3] = {0, 0, 0};
    // The collision queries' search tree over the triangles, made by the first query and
    // dropped whenever the triangles are rebuilt.
    std::shared_ptr<const collision::TriangleTree> collisionTree;
};

class MeshObject {
  public:
    MeshObject() = default;
    MeshObject(MeshObject&&) = default;
    MeshObject& operator=(MeshObject&&) = default;
    MeshObject(const MeshObject&) = delete;
    MeshObject& operator=(const MeshObject&) = delete;
    virtual ~MeshObject() = default;

    virtual void BuildTriangles() {}

    // The full vertex of record i of a frame.
    DrawVertex Decode(const ObjectFrame& frame, int i) const;

    GrowArray<ObjectFrame> frames;
    GrowArray<DrawVertex> currentVertices; // frame 0's triangles; drawing overwrites them
    GrowArray<float> textureU;             // one per record of frame 0, markers included
    GrowArray<float> textureV;
    GrowArray<uint32_t> colourTable; // at most 256 entries are reachable
    int normalsValid = 0;
};

class MeshObjectX : public MeshObject {
  public:
    MeshObjectX() = default;
    MeshObjectX(MeshObjectX&& other) noexcept;
    MeshObjectX& operator=(MeshObjectX&& other) noexcept;
    ~MeshObjectX() override;

    // Fills every frame's triangle list from its packed vertices, copies frame 0's triangles
    // into the current vertices and decides whether the part uses vertex colours.
    void BuildTriangles() override;
    // Centre (mean of the triangle corners) and radius of every frame.
    void ComputeBoundingSpheres();
    // Frees every array and the GL objects the part owns (only those that exist).
    void Clear();

    GLuint buffers[2] = {0, 0};
    // The device that made the buffers (the object table is released before the device).
    OpenGLRainbows* bufferDevice = nullptr;
    int usesVertexColours = 0;
    GLuint texture = 0;                // the part's own texture (the shading ramp), 0 when none
    float textureRowScale = 1.0f;      // 1 / that texture's height
    GrowArray<int32_t> edgeNeighbours; // used by the shadow-volume effect
    GrowArray<uint8_t> litTriangles;   // used by the shadow-volume effect
    int textureA = 0;                  // model sets: indices into the slot's texture list
    int textureB = 0;

  private:
    void ReleaseGlObjects();
    void TakeGlObjects(MeshObjectX& other);
};
