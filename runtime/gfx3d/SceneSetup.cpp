#include "gfx3d/SceneSetup.h"

#include <GL/gl.h>

#include <cmath>

#include "gfx2d/SpriteStore.h"
#include "gfx3d/Scene3D.h"
#include "gl/OpenGLRainbows.h"

namespace {

const float kPi = 3.1415927f;
// 89 degrees: the view cone of wide and parallel projections.
const float kWidestCone = 1.5533430576324463f;

// tan(a) as the runtime has always computed it, so projections match to the last bit.
double TangentPolynomial(double a) {
    const double a2 = a * a;
    return a * (1 + a2 * (0.3333314 +
                          a2 * (0.1333924 +
                                a2 * (0.05337406 +
                                      a2 * (0.02456509 + a2 * (0.002900525 + a2 * 0.009516809))))));
}

void Normalise(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void Cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// Projection times modelview as read back from GL, in double precision.
void ClipMatrix(double clip[16]) {
    float projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(projection[k * 4 + r]) * modelview[c * 4 + k];
            clip[c * 4 + r] = sum;
        }
}

void ComputeFrustum(Scene3D& scene) {
    double clip[16];
    ClipMatrix(clip);
    auto row = [&](int r, int c) { return clip[c * 4 + r]; };
    // Each plane is row 4 plus or minus another row of the clip matrix.
    const int rows[6] = {0, 0, 1, 1, 2, 2};
    const double signs[6] = {-1, 1, 1, -1, -1, 1};
    for (int p = 0; p < 6; ++p) {
        double plane[4];
        for (int c = 0; c < 4; ++c)
            plane[c] = row(3, c) + signs[p] * row(rows[p], c);
        double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        if (length == 0) length = 1;
        for (int c = 0; c < 4; ++c)
            scene.frustum[p][c] = static_cast<float>(plane[c] / length);
    }
}

void ReadCameraMatrix(Scene3D& scene) {
    glGetFloatv(GL_MODELVIEW_MATRIX, scene.cameraMatrix.m);
}

} // namespace

void ColourToFloats(int64_t colour, float rgb[3]) {
    rgb[0] = static_cast<float>(colour & 0xFF) / 255.0f;
    rgb[1] = static_cast<float>((colour >> 8) & 0xFF) / 255.0f;
    rgb[2] = static_cast<float>((colour >> 16) & 0xFF) / 255.0f;
}

void gfx3d::Begin3D(OpenGLRainbows& device, Scene3D& scene, float nearDistance, float farDistance,
                    float fov) {
    FlushSpriteBatch(device);
    CloseShadowPass(device, scene);

    scene.viewConeTangent =
        fov + 5 > 89 ? std::tan(kWidestCone) : std::tan((fov + 5) * kPi / 180.0f);
    scene.up[0] = 0;
    scene.up[1] = 1;
    scene.up[2] = 0;
    scene.nearDistance = nearDistance;
    scene.farDistance = farDistance;

    int width = device.viewportWidth, height = device.viewportHeight;
    if (width <= 0 || height <= 0) SurfaceSize(device, width, height);
    glViewport(device.viewportX, SurfaceRows(device) - height - device.viewportY, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    if (fov > 0) {
        const double top = TangentPolynomial(fov * kPi / 360.0f) * nearDistance;
        glFrustum(-top * aspect, top * aspect, -top, top, nearDistance, farDistance);
    } else {
        const double top = TangentPolynomial(-fov * kPi / 360.0f) * nearDistance * 100.0;
        glOrtho(-top * aspect, top * aspect, -top, top, nearDistance, farDistance);
        scene.viewConeTangent = std::tan(kWidestCone);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    scene.transform.Reset();
    scene.textureOffset[0] = scene.textureOffset[1] = 0;
    scene.sphereMapping = false;

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    const float alpha = gfx2d::Sprites(device).globalAlpha;
    glColor4f(alpha, alpha, alpha, alpha);
    glClearColor(0, 0, 0, 1);
    for (GLenum capability :
         {GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
          GL_POLYGON_OFFSET_POINT, GL_AUTO_NORMAL, GL_NORMALIZE, GL_LIGHTING, GL_CULL_FACE})
        glDisable(capability);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DITHER);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    ReadCameraMatrix(scene);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 0);

    scene.lightMask = 0;
    scene.effectLight.enabled = false;
    scene.cullMode = 0;
    gfx2d::BindSpriteTexture(device, -1, -1, device.binding.mipmap);
}

void gfx3d::End3D(OpenGLRainbows& device, Scene3D& scene) {
    ReleaseKeptArrays(device);
    CloseShadowPass(device, scene);
    Set2DProjection(device, 0, 0, 0, 0);
}

void gfx3d::SetCamera(Scene3D& scene, const float eye[3], const float target[3]) {
    for (int i = 0; i < 3; ++i) {
        scene.eye[i] = eye[i];
        scene.target[i] = target[i];
    }
    glLoadIdentity();
    float f[3] = {eye[0] - target[0], eye[1] - target[1], eye[2] - target[2]};
    Normalise(f);
    float s[3], u[3];
    Cross(scene.up, f, s);
    Normalise(s);
    Cross(f, s, u);
    Normalise(u);
    // Rows s, u, f: column-major storage puts them in the columns' first three entries.
    const float view[16] = {s[0], u[0], f[0], 0, s[1], u[1], f[1], 0,
                            s[2], u[2], f[2], 0, 0,    0,    0,    1};
    glMultMatrixf(view);
    glTranslatef(-eye[0], -eye[1], -eye[2]);
    ReadCameraMatrix(scene);
    scene.transform.Reset();
    ComputeFrustum(scene);
}

void gfx3d::DefineLight(Scene3D& scene, int id, int64_t colour, const float position[3],
                        const float direction[3], float cutOff) {
    float rgb[3];
    ColourToFloats(colour, rgb);
    if (id < 0) {
        EffectLight& light = scene.effectLight;
        light.enabled = cutOff != 0;
        light.kind = id == -1   ? EffectKind::BumpMapping
                     : id == -3 ? EffectKind::ShadowVolumes
                                : EffectKind::CelShading;
        for (int i = 0; i < 3; ++i) {
            light.position[i] = position[i];
            light.colour[i] = rgb[i];
        }
        return;
    }
    const int index = id & 7;
    const GLenum light = GL_LIGHT0 + static_cast<GLenum>(index);
    if (cutOff == 0) {
        glDisable(light);
        scene.lightMask = static_cast<uint8_t>(scene.lightMask & ~(1u << index));
        if (scene.lightMask == 0) glDisable(GL_LIGHTING);
        return;
    }
    glEnable(GL_LIGHTING);
    glEnable(light);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    scene.lightMask = static_cast<uint8_t>(scene.lightMask | (1u << index));
    glPushMatrix();
    const float diffuse[4] = {rgb[0], rgb[1], rgb[2], 1};
    const float noSpecular[4] = {0, 0, 0, 1};
    glLightfv(light, GL_DIFFUSE, diffuse);
    const bool allZero = position[0] == 0 && position[1] == 0 && position[2] == 0 &&
                         direction[0] == 0 && direction[1] == 0 && direction[2] == 0;
    if (allZero || cutOff == 180) {
        float dir[3] = {-direction[0], -direction[1], -direction[2]};
        NormaliseIfLong(dir);
        const float at[4] = {allZero ? 0 : dir[0], allZero ? 0 : dir[1], allZero ? 1 : dir[2], 0};
        glLightfv(light, GL_POSITION, at);
        glLightfv(light, GL_SPECULAR, noSpecular);
        glLightf(light, GL_SPOT_CUTOFF, 180);
    } else {
        const float at[4] = {position[0], position[1], position[2], 1};
        glLightfv(light, GL_POSITION, at);
        glLightfv(light, GL_SPECULAR, diffuse);
        if (cutOff > 90) {
            glLightf(light, GL_SPOT_CUTOFF, 180);
        } else {
            float dir[3] = {direction[0], direction[1], direction[2]};
            NormaliseIfLong(dir);
            glLightf(light, GL_SPOT_CUTOFF, cutOff < 0 ? 0 : cutOff);
            glLightfv(light, GL_SPOT_DIRECTION, dir);
        }
    }
    glPopMatrix();
}

void gfx3d::SetFog(const Scene3D& scene, int64_t colour, bool exponential, float a, float b) {
    if (colour == -1) {
        glDisable(GL_FOG);
        return;
    }
    glEnable(GL_FOG);
    if (exponential) {
        glFogi(GL_FOG_MODE, GL_EXP);
        glFogf(GL_FOG_DENSITY, a);
    } else {
        if (a == 0 && b == 0) {
            a = scene.nearDistance;
            b = scene.farDistance;
        }
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_START, a);
        glFogf(GL_FOG_END, b);
    }
    float rgb[3];
    ColourToFloats(colour, rgb);
    const float fogColour[4] = {rgb[0], rgb[1], rgb[2], 0};
    glFogfv(GL_FOG_COLOR, fogColour);
}

void gfx3d::SetCullMode(Scene3D& scene, int mode) {
    scene.cullMode = mode > 0 ? 1 : mode < 0 ? -1 : 0;
    if (mode > 0) {
        glFrontFace(GL_CW);
        glEnable(GL_CULL_FACE);
    } else if (mode < 0) {
        glFrontFace(GL_CCW);
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void OpenShadowPass(Scene3D& scene) {
    if (scene.shadowPass) return;
    scene.shadowPass = true;
    glShadeModel(GL_FLAT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glDepthMask(GL_FALSE);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
}

void CloseShadowPass(OpenGLRainbows& device, Scene3D& scene) {
    if (!scene.shadowPass) return;
    scene.shadowPass = false;
    glCullFace(GL_BACK);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    // Darken every marked pixel: one rectangle over the whole screen, whatever its size.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ENABLE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, device.screenWidth, device.screenHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, device.screenWidth, device.screenHeight);
    for (GLenum capability :
         {GL_DEPTH_TEST, GL_LIGHTING, GL_FOG, GL_CULL_FACE, GL_TEXTURE_2D, GL_ALPHA_TEST})
        glDisable(capability);
    // A texture pair may still be bound: unit 1 goes off too (the pop restores it with the rest).
    if (device.ext.glActiveTextureARB) {
        device.ext.glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        device.ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(device.screenWidth, 0);
    glVertex2i(device.screenWidth, device.screenHeight);
    glVertex2i(0, device.screenHeight);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    gfx2d::Sprites(device).globalAlpha = 1.0f;
    glPopAttrib();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LESS);
    glDisable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

bool ProjectPoint(const double point[3], double& sx, double& sy, double& depth) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    double clip[16];
    ClipMatrix(clip);
    const double in[4] = {point[0], point[1], point[2], 1};
    double c[4] = {0, 0, 0, 0};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k)
            c[r] += clip[k * 4 + r] * in[k];
    if (c[3] == 0) return false;
    const double nx = c[0] / c[3], ny = c[1] / c[3], nz = c[2] / c[3];
    sx = (nx + 1) * viewport[2] / 2 + viewport[0];
    sy = viewport[3] - ((ny + 1) * viewport[3] / 2 + viewport[1]);
    depth = (nz + 1) / 2;
    return true;
}

bool UnprojectPoint(const OpenGLRainbows& device, double sx, double sy, double depth,
                    double out[3]) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] == 0 || viewport[3] == 0) return false;
    const double y = (device.screenHeight - 1) - sy;
    double clip[16], inverse[16];
    ClipMatrix(clip);
    if (!gfx3d::InvertMatrix(clip, inverse)) return false;
    const double n[4] = {2 * (sx - viewport[0]) / viewport[2] - 1,
                         2 * (y - viewport[1]) / viewport[3] - 1, 2 * depth - 1, 1};
    double w[4] = {0, 0, 0, 0};
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k)
            w[r] += inverse[k * 4 + r] * n[k];
    if (w[3] == 0) return false;
    for (int i = 0; i < 3; ++i)
        out[i] = w[i] / w[3];
    return true;
}

void CloseSceneShadowPass(OpenGLRainbows* device, Scene3D* scene) {
    if (device && scene && device->initialised) CloseShadowPass(*device, *scene);
}

void ResetSceneFrameState(OpenGLRainbows* device) {
    if (!device || !device->initialised) return;
    device->binding.mipmap = false;
    if (device->ext.glActiveTextureARB) {
        device->ext.glActiveTextureARB(GL_TEXTURE1_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        device->ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
