#include "gfx3d/MeshObject.h"

#include <cmath>

#include "gfx3d/NormalTable.h"
#include "gl/OpenGLRainbows.h"

DrawVertex MarkerVertex(uint32_t code) {
    DrawVertex marker;
    marker.colour = code;
    marker.red = marker.green = marker.blue = 1.0f;
    return marker;
}

void SetVertexColour(DrawVertex& vertex, uint32_t colour) {
    vertex.colour = colour;
    if (IsColourCode(colour)) {
        vertex.red = vertex.green = vertex.blue = 1.0f;
    } else {
        vertex.red = (colour & 0xFF) / 255.0f;
        vertex.green = ((colour >> 8) & 0xFF) / 255.0f;
        vertex.blue = ((colour >> 16) & 0xFF) / 255.0f;
    }
}

DrawVertex MeshObject::Decode(const ObjectFrame& frame, int i) const {
    const PackedVertex& packed = frame.packed[i];
    DrawVertex vertex;
    vertex.x = (packed.x - frame.offset[0]) * frame.scale[0];
    vertex.y = (packed.y - frame.offset[1]) * frame.scale[1];
    vertex.z = (packed.z - frame.offset[2]) * frame.scale[2];
    const float* n =
        gfx3d::NormalTable[packed.normal < gfx3d::kNormalTableSize ? packed.normal : 0];
    vertex.nx = n[0], vertex.ny = n[1], vertex.nz = n[2];
    const float* t =
        gfx3d::NormalTable[packed.tangent < gfx3d::kNormalTableSize ? packed.tangent : 0];
    vertex.tx = t[0], vertex.ty = t[1], vertex.tz = t[2];
    const float* b =
        gfx3d::NormalTable[packed.bitangent < gfx3d::kNormalTableSize ? packed.bitangent : 0];
    vertex.bx = b[0], vertex.by = b[1], vertex.bz = b[2];
    if (i < textureU.Count()) vertex.u = textureU[i];
    if (i < textureV.Count()) vertex.v = -textureV[i];
    vertex.colourIndex = packed.colourIndex;
    SetVertexColour(vertex,
                    packed.colourIndex < colourTable.Count() ? colourTable[packed.colourIndex] : 0);
    return vertex;
}

MeshObjectX::MeshObjectX(MeshObjectX&& other) noexcept : MeshObject(std::move(other)) {
    TakeGlObjects(other);
}

MeshObjectX& MeshObjectX::operator=(MeshObjectX&& other) noexcept {
    if (this != &other) {
        ReleaseGlObjects();
        MeshObject::operator=(std::move(other));
        TakeGlObjects(other);
    }
    return *this;
}

MeshObjectX::~MeshObjectX() {
    ReleaseGlObjects();
}

void MeshObjectX::TakeGlObjects(MeshObjectX& other) {
    buffers[0] = other.buffers[0];
    buffers[1] = other.buffers[1];
    bufferDevice = other.bufferDevice;
    texture = other.texture;
    textureRowScale = other.textureRowScale;
    usesVertexColours = other.usesVertexColours;
    edgeNeighbours = std::move(other.edgeNeighbours);
    litTriangles = std::move(other.litTriangles);
    textureA = other.textureA;
    textureB = other.textureB;
    other.buffers[0] = other.buffers[1] = 0;
    other.texture = 0;
}

void MeshObjectX::ReleaseGlObjects() {
    // Parts loaded or built without a window never own GL objects, so nothing here needs a
    // context unless a name is set.
    if (buffers[0] != 0 || buffers[1] != 0) {
        OpenGLRainbows* device = bufferDevice;
        if (device && device->ext.glDeleteBuffersARB) {
            // A kept array may point into one of them; a later buffer could reuse its name.
            ReleaseKeptArrays(*device);
            for (GLuint& buffer : buffers)
                if (buffer != 0) device->ext.glDeleteBuffersARB(1, &buffer);
        }
        buffers[0] = buffers[1] = 0;
        bufferDevice = nullptr;
    }
    if (texture != 0) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
}

void MeshObjectX::Clear() {
    ReleaseGlObjects();
    frames.Free();
    currentVertices.Free();
    textureU.Free();
    textureV.Free();
    colourTable.Free();
    edgeNeighbours.Free();
    litTriangles.Free();
    normalsValid = 0;
    usesVertexColours = 0;
    textureRowScale = 1.0f;
    textureA = textureB = 0;
}

void MeshObjectX::BuildTriangles() {
    enum class Mode { List, Strip, Fan };
    for (ObjectFrame& frame : frames) {
        frame.triangles.Clear();
        frame.collisionTree.reset();
        DrawVertex window[3];
        int filled = 0;
        Mode mode = Mode::List;
        int parity = 0;
        for (int i = 0; i < frame.packed.Count(); ++i) {
            const uint8_t colourIndex = frame.packed[i].colourIndex;
            const uint32_t colour =
                colourIndex < colourTable.Count() ? colourTable[colourIndex] : 0;
            if (IsMarker(colour)) {
                filled = 0;
                if (colour == ColorStripStart) {
                    mode = Mode::Strip;
                    parity = 0;
                } else if (colour == ColorFanStart) {
                    mode = Mode::Fan;
                } else {
                    mode = Mode::List;
                }
                continue;
            }
            window[filled++] = Decode(frame, i);
            if (filled < 3) continue;
            frame.triangles.Push(window[0]);
            frame.triangles.Push(window[1]);
            frame.triangles.Push(window[2]);
            switch (mode) {
            case Mode::List: filled = 0; break;
            case Mode::Fan:
                window[1] = window[2];
                filled = 2;
                break;
            case Mode::Strip:
                // Alternating which corner is replaced keeps every triangle of the strip
                // wound the same way: (a, b, c), (c, b, d), (c, d, e), ...
                window[parity == 0 ? 0 : 1] = window[2];
                parity ^= 1;
                filled = 2;
                break;
            }
        }
    }
    if (frames.Count() > 0)
        currentVertices.CopyFrom(frames[0].triangles);
    else
        currentVertices.Clear();
    usesVertexColours = 0;
    for (uint32_t colour : colourTable)
        if (colour != 0x00FFFFFFu && !IsColourCode(colour)) usesVertexColours = 1;
}

void MeshObjectX::ComputeBoundingSpheres() {
    for (ObjectFrame& frame : frames) {
        frame.radius = 0;
        frame.centre[0] = frame.centre[1] = frame.centre[2] = 0;
        const int count = frame.triangles.Count();
        if (count == 0) continue;
        double sum[3] = {0, 0, 0};
        for (const DrawVertex& v : frame.triangles) {
            sum[0] += v.x;
            sum[1] += v.y;
            sum[2] += v.z;
        }
        for (int axis = 0; axis < 3; ++axis)
            frame.centre[axis] = static_cast<float>(sum[axis] / count);
        float largest = 0;
        for (const DrawVertex& v : frame.triangles) {
            const float dx = v.x - frame.centre[0];
            const float dy = v.y - frame.centre[1];
            const float dz = v.z - frame.centre[2];
            const float squared = dx * dx + dy * dy + dz * dz;
            if (squared >= 1e-7f && squared > largest) largest = squared;
        }
        frame.radius = std::sqrt(largest);
    }
}
