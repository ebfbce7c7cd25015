// Collision and picking against 3D objects as they are drawn: a sphere or an upright box
// touching an object, and the distance along a ray to it. Every part of a slot is tested in
// one frame, placed by a matrix (the composed object transform). Pure CPU work over the
// frames' triangle lists: no GL.
#pragma once

#include "gfx3d/SceneMath.h"

struct ObjectSlot;

namespace collision {

// How the triangles of a frame are visited: through the frame's tree (built on first use), or
// one by one in order, the reference the tree's answers are checked against.
enum class Scan { Tree, Linear };

struct Sphere {
    float centre[3] = {0, 0, 0};
    float radius = 0;
};

// Centred at centre, width along x and z, height along y.
struct Box {
    float centre[3] = {0, 0, 0};
    float width = 0;
    float height = 0;
};

struct Ray {
    float start[3] = {0, 0, 0};
    float direction[3] = {0, 0, 0};
};

// True when the sphere touches a part of the slot in that frame. A negative or non-finite
// radius or centre touches nothing.
bool SphereTouches(ObjectSlot& slot, int frame, const Mat4& placement, const Sphere& sphere,
                   Scan scan = Scan::Tree);
// True when the box touches a part of the slot in that frame; non-finite numbers touch nothing.
bool BoxTouches(ObjectSlot& slot, int frame, const Mat4& placement, const Box& box,
                Scan scan = Scan::Tree);
// The signed distance along the ray (in units of the direction once normalised) to the
// nearest part: the smallest positive hit, else the negative one closest to 0, else 0.
float RayDistance(ObjectSlot& slot, int frame, const Mat4& placement, const Ray& ray,
                  Scan scan = Scan::Tree);

} // namespace collision
