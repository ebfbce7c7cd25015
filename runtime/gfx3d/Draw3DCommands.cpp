#include "gfx3d/Draw3DCommands.h"

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/ObjectDrawing.h"
#include "gfx3d/Rainbows3D.h"
#include "gfx3d/Scene3D.h"
#include "gl/OpenGLRainbows.h"
#include "text/NumArray.h"

namespace {

OpenGLRainbows* Device() {
    OpenGLRainbows* device = Rt().gfx.get();
    return device && device->initialised ? device : nullptr;
}

} // namespace

void SetTexture3D(double textureA, double textureB) {
    OpenGLRainbows* device = Device();
    if (!device) return;
    gfx2d::BindSpriteTexture(*device, ToInt(textureA), ToInt(textureB), device->binding.mipmap);
}

void SetMipmapping(double flag) {
    OpenGLRainbows* device = Device();
    if (device) device->binding.mipmap = flag != 0;
}

void SetTextureOffset(double du, double dv) {
    Scene3D* scene = Rt().scene.get();
    if (!scene) return;
    scene->textureOffset[0] = ToFloat(du);
    scene->textureOffset[1] = ToFloat(dv);
}

void SetSphereMapping(double flag) {
    Scene3D* scene = Rt().scene.get();
    if (scene) scene->sphereMapping = flag != 0;
}

void MoveObject(double x, double y, double z) {
    if (Scene3D* scene = Rt().scene.get())
        scene->transform.Move(ToFloat(x), ToFloat(y), ToFloat(z));
}

void ScaleObject(double sx, double sy, double sz) {
    if (Scene3D* scene = Rt().scene.get())
        scene->transform.Scale(ToFloat(sx), ToFloat(sy), ToFloat(sz));
}

void RotateObject(double angle, double ax, double ay, double az) {
    if (Scene3D* scene = Rt().scene.get())
        scene->transform.Rotate(ToFloat(angle), ToFloat(ax), ToFloat(ay), ToFloat(az));
}

void MultiplyObjectMatrix(NumArray& matrix) {
    Scene3D* scene = Rt().scene.get();
    if (!scene || matrix.dims != 1 || matrix.size1 != 16 || !matrix.data) return;
    Mat4 m;
    for (int i = 0; i < 16; ++i)
        m.m[i] = ToFloat(matrix.data[i]);
    scene->transform.MultiplyMatrix(m);
}

void PushTransform() {
    if (Scene3D* scene = Rt().scene.get()) scene->transform.Push();
}

void PopTransform() {
    if (Scene3D* scene = Rt().scene.get()) scene->transform.Pop();
}

void DrawObject(double id, double frame) {
    OpenGLRainbows* device = Device();
    if (!device) return;
    const TextureBinding binding = device->binding;
    gfx2d::BindSpriteTexture(*device, binding.id, binding.second, binding.mipmap);
    DrawObjectAnim(id, frame, frame, 0, 0);
}

void DrawObjectAnim(double id, double frameA, double frameB, double t, double mode) {
    OpenGLRainbows* device = Device();
    Scene3D* scene = Rt().scene.get();
    Rainbows3D* engine = Rt().objects.get();
    if (!device || !scene || !engine) return;
    ObjectSlot* slot = engine->Slot(ToInt(id));
    if (!slot) return;
    FlushSpriteBatch(*device);
    gfx3d::DrawSlot(*device, *scene, *slot, ToInt(frameA), ToInt(frameB), t, mode != 0,
                    engine->normalMode == 2);
}
