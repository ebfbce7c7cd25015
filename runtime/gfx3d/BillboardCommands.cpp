// Camera-facing sprites and text in the 3D scene.
#include <GL/gl.h>

#include <cstddef>

#include "core/Number.h"
#include "core/Runtime.h"
#include "gfx2d/Fonts.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/Scene3D.h"
#include "gfx3d/SceneSetup.h"
#include "gl/OpenGLRainbows.h"
#include "gl/TextureUnits.h"

namespace {

OpenGLRainbows* Device() {
    OpenGLRainbows* device = Rt().gfx.get();
    return device && device->initialised && Rt().scene.get() ? device : nullptr;
}

// The camera's right and up vectors: the first two rows of the modelview matrix.
void CameraAxes(float right[3], float up[3]) {
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 3; ++i) {
        right[i] = modelview[i * 4];
        up[i] = modelview[i * 4 + 1];
    }
}

void RestoreTexturePair(OpenGLRainbows& device) {
    const TextureBinding binding = device.binding;
    gfx2d::BindSpriteTexture(device, binding.id, binding.second, binding.mipmap);
}

void Corner(const float c[3], const float r[3], float rs, const float u[3], float us, float s,
            float t) {
    glTexCoord2f(s, t);
    glVertex3f(c[0] + r[0] * rs + u[0] * us, c[1] + r[1] * rs + u[1] * us,
               c[2] + r[2] * rs + u[2] * us);
}

void PrintInScene(OpenGLRainbows& device, const RtString& text, const float point[3], float size,
                  int fontId) {
    const SpriteSlot& slot =
        gfx2d::Sprites(device).slots[static_cast<size_t>(kFontSlotBase + fontId)];
    if (!slot.Loaded()) return;
    const gfx2d::FontGrid grid = gfx2d::FontGridOf(device, fontId);
    const int w = slot.imageWidth, h = slot.imageHeight;
    const float sStep = (static_cast<float>(w) / slot.textureWidth) / 16.0f;
    const float tStep =
        (static_cast<float>(h) / slot.textureHeight) / static_cast<float>(grid.rows);
    const float glyph = size * static_cast<float>(w / 16);
    float r[3], u[3];
    CameraAxes(r, u);
    const uint32_t n = text.Length();
    float corner[3];
    for (int i = 0; i < 3; ++i)
        corner[i] = point[i] - r[i] * glyph * static_cast<float>(n) / 2.0f;
    BindTexturePair(device, slot.plainTexture, 0);
    glBegin(GL_QUADS);
    const char* bytes = text.CText();
    for (uint32_t k = 0; k < n; ++k) {
        const int code = static_cast<unsigned char>(bytes[k]);
        const int index = grid.rows == 16 ? code % 256 : code % 128;
        const float s = static_cast<float>(index % 16) * sStep;
        const float t = static_cast<float>((grid.rows - 1) - index / 16) * tStep;
        Corner(corner, r, 0, u, 0, s, t);
        Corner(corner, r, glyph, u, 0, s + sStep, t);
        Corner(corner, r, glyph, u, glyph, s + sStep, t + tStep);
        Corner(corner, r, 0, u, glyph, s, t + tStep);
        for (int i = 0; i < 3; ++i)
            corner[i] += r[i] * glyph;
    }
    glEnd();
    RestoreTexturePair(device);
}

void PrintOnScreen(OpenGLRainbows& device, const RtString& text, const float point[3], int fontId) {
    const double world[3] = {point[0], point[1], point[2]};
    double sx, sy, depth;
    if (!ProjectPoint(world, sx, sy, depth)) return;
    // The current font's glyphs centre and raise the text, so any font sits on the point.
    const gfx2d::FontGrid grid = gfx2d::FontGridOf(device, fontId);
    const double x =
        sx - grid.glyphWidth * static_cast<double>(text.Length()) / 2 - device.viewportX;
    const double y = sy - grid.glyphHeight + device.viewportY;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, device.viewportWidth, device.viewportHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gfx2d::DrawText(device, fontId, text.CText(), text.Length(), x, y, -depth);
    FlushSpriteBatch(device);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    RestoreTexturePair(device);
}

} // namespace

void DrawSprite3D(double id, double x, double y, double z, double scale) {
    OpenGLRainbows* device = Device();
    const int sprite = ToInt(id);
    if (!device || !gfx2d::SpriteIdValid(sprite)) return;
    const SpriteSlot& slot = gfx2d::Sprites(*device).slots[static_cast<size_t>(sprite)];
    if (!slot.Loaded()) return;
    FlushSpriteBatch(*device);
    Scene3D& scene = *Rt().scene.get();
    const int cullMode = scene.cullMode;
    gfx3d::SetCullMode(scene, -1);
    float r[3], u[3];
    CameraAxes(r, u);
    const float c[3] = {ToFloat(x), ToFloat(y), ToFloat(z)};
    const float s = ToFloat(scale);
    const float halfWidth = static_cast<float>(slot.imageWidth) / 4.0f * s;
    const float height = static_cast<float>(slot.imageHeight) / 2.0f * s;
    const float maxS = (static_cast<float>(slot.imageWidth) - 0.5f) / slot.textureWidth;
    const float maxT = (static_cast<float>(slot.imageHeight) - 0.5f) / slot.textureHeight;
    BindTexturePair(*device, slot.plainTexture, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glBegin(GL_QUADS);
    Corner(c, r, -halfWidth, u, 0, 0, 0);
    Corner(c, r, halfWidth, u, 0, maxS, 0);
    Corner(c, r, halfWidth, u, height, maxS, maxT);
    Corner(c, r, -halfWidth, u, height, 0, maxT);
    glEnd();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gfx3d::SetCullMode(scene, cullMode);
    RestoreTexturePair(*device);
}

void Print3D(const RtString& text, double x, double y, double z, double size) {
    OpenGLRainbows* device = Device();
    if (!device || text.Length() == 0) return;
    FlushSpriteBatch(*device);
    const int fontId = gfx2d::ClampFontId(gfx2d::Sprites(*device).currentFont);
    const bool culling = glIsEnabled(GL_CULL_FACE);
    const bool lighting = glIsEnabled(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    const float point[3] = {ToFloat(x), ToFloat(y), ToFloat(z)};
    if (size != 0)
        PrintInScene(*device, text, point, ToFloat(size), fontId);
    else
        PrintOnScreen(*device, text, point, fontId);
    if (culling) glEnable(GL_CULL_FACE);
    if (lighting) glEnable(GL_LIGHTING);
}
