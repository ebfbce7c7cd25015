// The state of the 3D scene: projection distances, camera and its frustum, lights, the effect
// light, the object transform and the drawing options of objects. GL objects are not owned
// here: they belong to the objects' parts and the sprite table.
#pragma once

#include <cstdint>

#include "gfx3d/SceneMath.h"
#include "gfx3d/TransformStack.h"

// The light of the effects, chosen with negative light ids.
enum class EffectKind : uint8_t { None = 0, BumpMapping = 1, CelShading = 2, ShadowVolumes = 3 };

struct EffectLight {
    bool enabled = false;
    EffectKind kind = EffectKind::None;
    float position[3] = {0, 0, 0};
    float colour[3] = {1, 1, 1};
};

// Frustum planes in this order; each (a, b, c, d) with (a, b, c) of length 1, inside >= 0.
enum FrustumPlane { kPlaneRight, kPlaneLeft, kPlaneBottom, kPlaneTop, kPlaneFar, kPlaneNear };

class Scene3D {
  public:
    float nearDistance = 1.0f;
    float farDistance = 1000.0f;
    // Tangent of the view cone's half angle plus 5 degrees; drives effect distances.
    float viewConeTangent = 1.0f;

    float eye[3] = {0, 0, 0};
    float target[3] = {0, 0, -1};
    float up[3] = {0, 1, 0};
    Mat4 cameraMatrix = Mat4::Identity();
    float frustum[6][4] = {};

    uint8_t lightMask = 0; // bit i set while GL light i is on
    int cullMode = 0;      // 0 none, 1 clockwise front faces, -1 counter-clockwise
    bool shadowPass = false;
    EffectLight effectLight;

    TransformStack transform;
    float textureOffset[2] = {0, 0};
    bool sphereMapping = false;

    // Parts that passed culling and were sent to GL since the counter was last cleared.
    long partsDrawn = 0;
};
