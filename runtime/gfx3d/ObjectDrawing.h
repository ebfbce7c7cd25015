// Drawing the parts of an object: frame choice and blending, frustum culling by bounding
// sphere, vertex arrays from the part's two buffer objects, and the effects.
#pragma once

#include <GL/gl.h>

class MeshObjectX;
class OpenGLRainbows;
class Scene3D;
struct ObjectSlot;

// Which frames a draw shows: from blended toward to by weight (weight 0: from alone), and the
// frame whose bounding sphere decides culling. Indices are clamped to the frames there are.
struct FrameChoice {
    int from = 0;
    int to = 0;
    float weight = 0;
    int tested = 0;
};

namespace gfx3d {

// positional: t runs along frames a..b (taken as |fmod(t, 1)| outside 0..1); otherwise the
// draw is frame a blended toward frame b by t.
FrameChoice ChooseFrames(int frameCount, int a, int b, double t, bool positional);

// True when the sphere (centre in object space) lies wholly outside a frustum plane once
// placed by the object matrix; its radius scales by the matrix's smallest axis scale.
bool SphereCulled(const Scene3D& scene, const float objectMatrix[16], const float centre[3],
                  float radius);

// Draws every part of the slot with frames a, b, t and mode as DrawObjectAnim describes;
// smoothNormals: bump mapping computes smoothed normals (the object table's normal mode 2).
void DrawSlot(OpenGLRainbows& device, Scene3D& scene, ObjectSlot& slot, int a, int b, double t,
              bool positional, bool smoothNormals);

} // namespace gfx3d
