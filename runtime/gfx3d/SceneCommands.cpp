#include "gfx3d/SceneCommands.h"

#include <GL/gl.h>

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneSetup.h"
#include "gl/OpenGLRainbows.h"

namespace {

// The device and scene when both exist.
bool Ready(OpenGLRainbows*& device, Scene3D*& scene) {
    device = Rt().gfx.get();
    scene = Rt().scene.get();
    return device && scene && device->initialised;
}

// Debug drawing of a light: its position, and a spot light's direction.
void ShowLight(const float position[3], const float direction[3], double cutOff) {
    DrawPoint3D(position[0], position[1], position[2], 40, 0x80C8FF);
    if (cutOff > 90) return;
    float along[3] = {direction[0], direction[1], direction[2]};
    gfx3d::NormaliseIfLong(along);
    DrawLine3D(position[0], position[1], position[2], position[0] + along[0] * 500,
               position[1] + along[1] * 500, position[2] + along[2] * 500, 3, 0x6CAAE1);
}

} // namespace

void Begin3D(double nearDistance, double farDistance, double fov) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (Ready(device, scene))
        gfx3d::Begin3D(*device, *scene, ToFloat(nearDistance), ToFloat(farDistance), ToFloat(fov));
}

void End3D() {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (Ready(device, scene)) gfx3d::End3D(*device, *scene);
}

void SetCameraUp(double x, double y, double z) {
    Scene3D* scene = Rt().scene.get();
    if (!scene) return;
    scene->up[0] = ToFloat(x);
    scene->up[1] = ToFloat(y);
    scene->up[2] = ToFloat(z);
}

void SetCamera(double eyeX, double eyeY, double eyeZ, double targetX, double targetY,
               double targetZ) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    FlushSpriteBatch(*device);
    const float eye[3] = {ToFloat(eyeX), ToFloat(eyeY), ToFloat(eyeZ)};
    const float target[3] = {ToFloat(targetX), ToFloat(targetY), ToFloat(targetZ)};
    gfx3d::SetCamera(*scene, eye, target);
}

void SetCullMode(double mode) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    FlushSpriteBatch(*device);
    gfx3d::SetCullMode(*scene, mode > 0 ? 1 : mode < 0 ? -1 : 0);
}

void SetLight(double id, double colour) {
    Scene3D* scene = Rt().scene.get();
    if (!scene) return;
    DefineLight(id, colour, scene->eye[0], scene->eye[1], scene->eye[2], -scene->eye[0],
                -scene->eye[1], -scene->eye[2], 180);
}

void DefineLight(double id, double colour, double x, double y, double z, double dx, double dy,
                 double dz, double cutOff) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    FlushSpriteBatch(*device);
    const int lightId = ToInt(id);
    const float position[3] = {ToFloat(x), ToFloat(y), ToFloat(z)};
    const float direction[3] = {ToFloat(dx), ToFloat(dy), ToFloat(dz)};
    gfx3d::DefineLight(*scene, lightId, ToInt64(colour), position, direction, ToFloat(cutOff));
    if (Rt().settings.debugMode && lightId >= 0 && cutOff != 0)
        ShowLight(position, direction, cutOff);
    if (lightId == -3) {
        if (cutOff != 0)
            OpenShadowPass(*scene);
        else
            CloseShadowPass(*device, *scene);
    }
}

void SetFog(double colour, double exponential, double a, double b) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    FlushSpriteBatch(*device);
    gfx3d::SetFog(*scene, ToInt64(colour), exponential != 0, ToFloat(a), ToFloat(b));
}

void ClearDepth() {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    FlushSpriteBatch(*device);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void ProjectToScreen(double x, double y, double z, double& sx, double& sy, double& depth) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    const double point[3] = {x, y, z};
    ProjectPoint(point, sx, sy, depth);
}

void ScreenToWorld(double sx, double sy, double depth, double& x, double& y, double& z) {
    OpenGLRainbows* device;
    Scene3D* scene;
    if (!Ready(device, scene)) return;
    double out[3];
    if (!UnprojectPoint(*device, sx, sy, depth, out)) return;
    x = out[0];
    y = out[1];
    z = out[2];
}
