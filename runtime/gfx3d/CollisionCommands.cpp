#include "gfx3d/CollisionCommands.h"

#include <cfloat>
#include <cmath>
#include <initializer_list>

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx3d/Collision.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneDebugDrawing.h"
#include "gl/OpenGLRainbows.h"

namespace {

constexpr int64_t kHitColour = 0x00FF00;
constexpr int64_t kMissColour = 0x0000FF;
constexpr int64_t kBehindColour = 0x00FFFF;
constexpr double kHitWidth = 5;
constexpr double kMissWidth = 1;
// How far a ray that hits nothing is drawn.
constexpr float kMissLength = 1000;
constexpr int kCircleSegments = 32;

// A query value as a float: beyond the float range it becomes infinite, which the queries refuse,
// rather than the largest float, which would answer for a sphere or ray that game code never gave
// (a plain cast of such a value is undefined).
float QueryFloat(double value) {
    if (std::fabs(value) > FLT_MAX) return value > 0 ? INFINITY : -INFINITY;
    return static_cast<float>(value);
}

// The slot a query reads, or null when there is none.
ObjectSlot* QueriedSlot(double id) {
    Rainbows3D* engine = Rt().objects.get();
    return engine ? engine->Slot(ToInt(id)) : nullptr;
}

// Objects are placed by the current object transform; before start-up, where there is none,
// as they were loaded.
Mat4 CurrentPlacement() {
    Scene3D* scene = Rt().scene.get();
    return scene ? scene->transform.Composed() : Mat4::Identity();
}

// The device to draw a query on: only in debug mode, inside a running program, and only for
// a query made of finite numbers.
OpenGLRainbows* DebugDevice(std::initializer_list<float> numbers) {
    for (float number : numbers)
        if (!std::isfinite(number)) return nullptr;
    Runtime& rt = Rt();
    OpenGLRainbows* device = rt.gfx.get();
    return rt.settings.debugMode && device && device->initialised && Rt().scene.get() ? device
                                                                                      : nullptr;
}

void ShowSphere(const collision::Sphere& sphere, bool hit) {
    const float* c = sphere.centre;
    OpenGLRainbows* device = DebugDevice({c[0], c[1], c[2], sphere.radius});
    if (!device) return;
    // Three great circles, one about each axis.
    float points[3 * kCircleSegments * 2][3];
    int count = 0;
    const float step = 2 * 3.14159265f / kCircleSegments;
    for (int axis = 0; axis < 3; ++axis)
        for (int i = 0; i < kCircleSegments; ++i)
            for (int end = 0; end < 2; ++end) {
                const float angle = (i + end) * step;
                float* p = points[count++];
                for (int k = 0; k < 3; ++k)
                    p[k] = sphere.centre[k];
                p[(axis + 1) % 3] += sphere.radius * std::cos(angle);
                p[(axis + 2) % 3] += sphere.radius * std::sin(angle);
            }
    gfx3d::DrawDebugSegments(*device, points, count, hit ? kHitWidth : kMissWidth,
                             hit ? kHitColour : kMissColour);
}

void ShowBox(const collision::Box& box, bool hit) {
    const float* c = box.centre;
    OpenGLRainbows* device = DebugDevice({c[0], c[1], c[2], box.width, box.height});
    if (!device) return;
    const float half[3] = {box.width / 2, box.height / 2, box.width / 2};
    // Each of the 12 edges runs along one axis, at one of four corners across it.
    float points[24][3];
    int count = 0;
    for (int axis = 0; axis < 3; ++axis)
        for (int corner = 0; corner < 4; ++corner)
            for (int end = 0; end < 2; ++end) {
                float* p = points[count++];
                const int across1 = (axis + 1) % 3, across2 = (axis + 2) % 3;
                p[axis] = box.centre[axis] + (end ? half[axis] : -half[axis]);
                p[across1] = box.centre[across1] + (corner & 1 ? half[across1] : -half[across1]);
                p[across2] = box.centre[across2] + (corner & 2 ? half[across2] : -half[across2]);
            }
    gfx3d::DrawDebugSegments(*device, points, count, hit ? kHitWidth : kMissWidth,
                             hit ? kHitColour : kMissColour);
}

// The ray from its start to the hit, or 1000 units long when it hits nothing.
void ShowRay(const collision::Ray& ray, float distance) {
    const float *s = ray.start, *d = ray.direction;
    OpenGLRainbows* device = DebugDevice({s[0], s[1], s[2], d[0], d[1], d[2]});
    if (!device) return;
    float unit[3] = {ray.direction[0], ray.direction[1], ray.direction[2]};
    gfx3d::NormaliseIfLong(unit);
    const float length = distance != 0 ? distance : kMissLength;
    float points[2][3];
    for (int k = 0; k < 3; ++k) {
        points[0][k] = ray.start[k];
        points[1][k] = ray.start[k] + unit[k] * length;
    }
    const int64_t colour = distance > 0 ? kHitColour : distance < 0 ? kBehindColour : kMissColour;
    gfx3d::DrawDebugSegments(*device, points, 2, distance != 0 ? kHitWidth : kMissWidth, colour);
}

} // namespace

double ObjectCollidesSphere(double id, double frame, double x, double y, double z, double radius) {
    ObjectSlot* slot = QueriedSlot(id);
    if (!slot) return 0;
    collision::Sphere sphere;
    sphere.centre[0] = QueryFloat(x), sphere.centre[1] = QueryFloat(y),
    sphere.centre[2] = QueryFloat(z);
    sphere.radius = QueryFloat(radius);
    const bool hit = collision::SphereTouches(*slot, ToInt(frame), CurrentPlacement(), sphere);
    ShowSphere(sphere, hit);
    return hit ? 1 : 0;
}

double ObjectCollidesBox(double id, double frame, double x, double y, double z, double width,
                         double height) {
    ObjectSlot* slot = QueriedSlot(id);
    if (!slot) return 0;
    collision::Box box;
    box.centre[0] = QueryFloat(x), box.centre[1] = QueryFloat(y), box.centre[2] = QueryFloat(z);
    box.width = QueryFloat(width);
    box.height = QueryFloat(height);
    const bool hit = collision::BoxTouches(*slot, ToInt(frame), CurrentPlacement(), box);
    ShowBox(box, hit);
    return hit ? 1 : 0;
}

double ObjectRayDistance(double id, double frame, double x, double y, double z, double dx,
                         double dy, double dz) {
    ObjectSlot* slot = QueriedSlot(id);
    if (!slot) return 0;
    collision::Ray ray;
    ray.start[0] = QueryFloat(x), ray.start[1] = QueryFloat(y), ray.start[2] = QueryFloat(z);
    ray.direction[0] = QueryFloat(dx), ray.direction[1] = QueryFloat(dy),
    ray.direction[2] = QueryFloat(dz);
    const float distance = collision::RayDistance(*slot, ToInt(frame), CurrentPlacement(), ray);
    ShowRay(ray, distance);
    return distance;
}
