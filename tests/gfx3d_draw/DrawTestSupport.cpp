#include "DrawTestSupport.h"

#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/SceneCommands.h"

namespace {

struct Corner {
    float p[3];
};

// One face as its own strip from corners in counter-clockwise order around its outward side.
// The strip winds its triangles clockwise seen from outside, as the engine's normals expect.
void AddFace(const Corner c[4], unsigned colour) {
    NewObjectGroup();
    const int order[4] = {0, 3, 1, 2};
    for (int i : order)
        AddObjectVertex(c[i].p[0], c[i].p[1], c[i].p[2], i == 1 || i == 2 ? 1 : 0, i >= 2 ? 1 : 0,
                        colour);
}

// The face of a box with outward normal sign * axis.
void AddBoxFace(const float centre[3], float half, int axis, int sign, unsigned colour) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const float du[4] = {-half, half, half, -half};
    const float dv[4] = {-half, -half, half, half};
    Corner corners[4];
    for (int i = 0; i < 4; ++i) {
        const int k = sign > 0 ? i : (4 - i) % 4;
        for (int a = 0; a < 3; ++a)
            corners[i].p[a] = centre[a];
        corners[i].p[axis] += sign * half;
        corners[i].p[u] += du[k];
        corners[i].p[v] += dv[k];
    }
    AddFace(corners, colour);
}

} // namespace

void BuildSquare(int id, float half, unsigned colour) {
    BeginObject(id);
    const Corner corners[4] = {
        {{-half, -half, 0}}, {{half, -half, 0}}, {{half, half, 0}}, {{-half, half, 0}}};
    AddFace(corners, colour);
    EndObject();
}

void BuildFloor(int id, float half, float y) {
    BeginObject(id);
    const Corner corners[4] = {
        {{-half, y, half}}, {{half, y, half}}, {{half, y, -half}}, {{-half, y, -half}}};
    AddFace(corners, 0xFFFFFF);
    EndObject();
}

void BuildBox(int id, float half, float x, float y, float z) {
    BeginObject(id);
    const float centre[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis)
        for (int sign : {1, -1})
            AddBoxFace(centre, half, axis, sign, 0xFFFFFF);
    EndObject();
}

void UploadPlain(int id, unsigned char grey) {
    gfx2d::DecodedImage image;
    image.width = image.height = 8;
    for (int i = 0; i < 64; ++i)
        image.pixels.insert(image.pixels.end(), {grey, grey, grey, 255});
    gfx2d::UploadImageToSlot(*Rt().gfx, id, image, false);
}

MeshObjectX* FirstPart(int id) {
    ObjectSlot* slot = Rt().objects->Slot(id);
    if (!slot || slot->parts.Count() == 0) return nullptr;
    return &slot->parts[0];
}

void AddShiftedFrames(int id, int frameCount, float step) {
    MeshObjectX* part = FirstPart(id);
    if (!part) return;
    for (int k = 1; k < frameCount; ++k) {
        ObjectFrame frame;
        const ObjectFrame& first = part->frames[0];
        frame.packed.CopyFrom(first.packed);
        for (int a = 0; a < 3; ++a) {
            frame.scale[a] = first.scale[a];
            frame.offset[a] = first.offset[a];
        }
        frame.offset[0] -= k * step / first.scale[0];
        part->frames.Push(std::move(frame));
    }
    part->BuildTriangles();
    part->ComputeBoundingSpheres();
}

void LookAtOriginFrom(float distance) {
    Begin3D(100, 20000, 45);
    SetCamera(0, 0, distance, 0, 0, 0);
}

void PixelOf(double x, double y, double z, int& px, int& py) {
    double sx = -1, sy = -1, depth = 0;
    ProjectToScreen(x, y, z, sx, sy, depth);
    px = static_cast<int>(sx);
    py = static_cast<int>(sy);
}

int Red(unsigned colour) {
    return static_cast<int>(colour & 0xFF);
}
int Green(unsigned colour) {
    return static_cast<int>((colour >> 8) & 0xFF);
}
int Blue(unsigned colour) {
    return static_cast<int>((colour >> 16) & 0xFF);
}
