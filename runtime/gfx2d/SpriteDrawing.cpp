#include "gfx2d/SpriteDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"
#include "os/Window.h"

namespace {

// The half-pixel nudge that puts points and lines on exact pixel centres.
const float kPixelCentre = 0.375f;

const SpriteSlot* LoadedSlot(OpenGLRainbows& device, int id) {
    if (!gfx2d::SpriteIdValid(id)) return nullptr;
    const SpriteSlot& slot = gfx2d::Sprites(device).slots[id];
    return slot.Loaded() ? &slot : nullptr;
}

// The picture's share of its power-of-two texture.
float ShareU(const SpriteSlot& slot) {
    return static_cast<float>(slot.imageWidth) / slot.textureWidth;
}
float ShareV(const SpriteSlot& slot) {
    return static_cast<float>(slot.imageHeight) / slot.textureHeight;
}

// Primitives draw untextured with colour bytes scaled by the global alpha; the transparency
// colour is transparent ink (alpha 0).
void BeginPrimitive(OpenGLRainbows& device, int64_t colour) {
    SpriteStore& store = gfx2d::Sprites(device);
    gfx2d::BindSpriteTexture(device, -1, -1, false);
    glDisable(GL_ALPHA_TEST);
    const float scale = store.ColourScale();
    const int64_t c = colour & 0xFFFFFF;
    glColor4ub(
        static_cast<GLubyte>((c & 0xFF) * scale), static_cast<GLubyte>(((c >> 8) & 0xFF) * scale),
        static_cast<GLubyte>(((c >> 16) & 0xFF) * scale),
        colour == store.transparencyColour ? 0 : static_cast<GLubyte>(255 * store.globalAlpha));
}

void EndPrimitive(OpenGLRainbows& device) {
    gfx2d::Sprites(device).ApplyDrawingColour();
    glEnable(GL_ALPHA_TEST);
}

const std::vector<uint8_t>& AlphaCopy(OpenGLRainbows& device, int id) {
    SpriteSlot& slot = gfx2d::Sprites(device).slots[id];
    if (!slot.alphaCopyRead) {
        slot.alphaCopy.assign(static_cast<size_t>(slot.textureWidth) * slot.textureHeight, 0);
        if (device.window.HasGL()) {
            FlushSpriteBatch(device);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glBindTexture(GL_TEXTURE_2D, slot.plainTexture);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, slot.alphaCopy.data());
            const TextureBinding bound = device.binding;
            gfx2d::BindSpriteTexture(device, bound.id, bound.second, bound.mipmap);
        }
        slot.alphaCopyRead = true;
    }
    return slot.alphaCopy;
}

} // namespace

void gfx2d::SetAlphaMode(OpenGLRainbows& device, float alpha) {
    FlushSpriteBatch(device);
    if (alpha == 0) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
        if (alpha < 0)
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        else
            glBlendFunc(GL_ONE, GL_ONE);
    }
    float level = alpha == 0 ? 1.0f : std::fabs(alpha);
    if (!(level <= 1.0f)) level = 1.0f;
    SpriteStore& store = gfx2d::Sprites(device);
    store.globalAlpha = level;
    store.translucent = alpha < 0;
    store.ApplyDrawingColour();
}

namespace {

void DrawImmediate(const float corners[16]) {
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(corners[i * 4 + 2], corners[i * 4 + 3]);
        glVertex2f(corners[i * 4], corners[i * 4 + 1]);
    }
    glEnd();
}

// Adds one textured quad of sprite id to the device's batch; corners in drawing order with
// their texture coordinates.
void BatchQuad(OpenGLRainbows& device, int id, const float corners[16]) {
    SpriteBatch& batch = device.batch;
    if (!batch.enabled) {
        gfx2d::BindSpriteTexture(device, id, -1, false);
        DrawImmediate(corners);
        return;
    }
    if (batch.id != id || batch.vertices.size() >= kMaxBatchQuads * 16) {
        gfx2d::BindSpriteTexture(device, id, -1, false); // flushes what came before
        batch.id = id;
    }
    batch.vertices.insert(batch.vertices.end(), corners, corners + 16);
}

} // namespace

void gfx2d::DrawSprite(OpenGLRainbows& device, int id, double x, double y) {
    const SpriteSlot* slot = LoadedSlot(device, id);
    if (!slot) return;
    const float left = static_cast<float>(std::ceil(x)), top = static_cast<float>(std::ceil(y));
    const float right = left + slot->imageWidth, bottom = top + slot->imageHeight;
    const float su = ShareU(*slot), tv = ShareV(*slot);
    const float corners[16] = {right, top,    su, tv, left,  top,    0,  tv,
                               left,  bottom, 0,  0,  right, bottom, su, 0};
    BatchQuad(device, id, corners);
}

void gfx2d::StretchSprite(OpenGLRainbows& device, int id, double x, double y, double width,
                          double height) {
    const SpriteSlot* slot = LoadedSlot(device, id);
    if (!slot) return;
    const float left = static_cast<float>(std::ceil(x)), top = static_cast<float>(std::ceil(y));
    const float w = static_cast<float>(std::ceil(width)), h = static_cast<float>(std::ceil(height));
    const float su = ShareU(*slot), tv = ShareV(*slot);
    const float corners[16] = {left,     top + h, 0,  0,  left + w, top + h, su, 0,
                               left + w, top,     su, tv, left,     top,     0,  tv};
    // Exactly one negative size mirrors the picture and reverses the winding; the front face
    // follows so that culling keeps the quad.
    const bool mirrored = (w < 0) != (h < 0);
    if (!mirrored) {
        BatchQuad(device, id, corners);
        return;
    }
    gfx2d::BindSpriteTexture(device, id, -1, false);
    glFrontFace(GL_CW);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(corners[i * 4 + 2], corners[i * 4 + 3]);
        glVertex2f(corners[i * 4], corners[i * 4 + 1]);
    }
    glEnd();
    glFrontFace(GL_CCW);
}

void gfx2d::ZoomSprite(OpenGLRainbows& device, int id, double x, double y, double zoomX,
                       double zoomY) {
    const SpriteSlot* slot = LoadedSlot(device, id);
    if (!slot) return;
    const double w = slot->imageWidth, h = slot->imageHeight;
    const double zoomedW = zoomX * w, zoomedH = zoomY * h;
    gfx2d::StretchSprite(device, id, x - (zoomedW - w) * 0.5, y - (zoomedH - h) * 0.5, zoomedW,
                         zoomedH);
}

void gfx2d::RotoZoomSprite(OpenGLRainbows& device, int id, double x, double y, double angle,
                           double zoom) {
    const SpriteSlot* slot = LoadedSlot(device, id);
    if (!slot) return;
    const float hw = static_cast<float>(slot->imageWidth * zoom * 0.5);
    const float hh = static_cast<float>(slot->imageHeight * zoom * 0.5);
    const float su = ShareU(*slot), tv = ShareV(*slot);
    const float s0 = 0.5f / slot->textureWidth, t0 = 0.5f / slot->textureHeight;
    gfx2d::BindSpriteTexture(device, id, -1, false);
    glPushMatrix();
    glTranslated(x + (slot->imageWidth >> 1), y + (slot->imageHeight >> 1), 0);
    glRotated(angle, 0, 0, -1);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(-hw, hh);
    glTexCoord2f(su, t0);
    glVertex2f(hw, hh);
    glTexCoord2f(su, tv);
    glVertex2f(hw, -hh);
    glTexCoord2f(s0, tv);
    glVertex2f(-hw, -hh);
    glEnd();
    glPopMatrix();
}

void gfx2d::StartPolygon(OpenGLRainbows& device, int id) {
    SpriteStore& store = gfx2d::Sprites(device);
    gfx2d::BindSpriteTexture(device, LoadedSlot(device, id) ? id : -1, -1, false);
    store.polygon.Reserve(512);
    store.polygon.Clear();
}

void gfx2d::AddPolygonVertex(OpenGLRainbows& device, int x, int y, double s, double t,
                             int64_t colour) {
    SpriteStore& store = gfx2d::Sprites(device);
    float* v = store.polygon.Append();
    v[0] = static_cast<float>(x);
    v[1] = static_cast<float>(y);
    const SpriteSlot* slot = LoadedSlot(device, device.binding.id);
    if (slot) {
        s = s / slot->textureWidth;
        t = (slot->imageHeight - t) / slot->textureHeight;
    }
    v[2] = static_cast<float>(s);
    v[3] = static_cast<float>(t);
    const int64_t c = colour & 0xFFFFFF;
    const float scale = store.ColourScale();
    v[4] = (c & 0xFF) / 255.0f * scale;
    v[5] = ((c >> 8) & 0xFF) / 255.0f * scale;
    v[6] = ((c >> 16) & 0xFF) / 255.0f * scale;
    v[7] = colour == store.transparencyColour ? 0.0f : store.translucent ? store.globalAlpha : 1.0f;
}

void gfx2d::EndPolygon(OpenGLRainbows& device) {
    SpriteStore& store = gfx2d::Sprites(device);
    FlushSpriteBatch(device);
    if (store.polygon.Count() == 0) return;
    const bool textured = LoadedSlot(device, device.binding.id) != nullptr;
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DITHER);
    glShadeModel(GL_SMOOTH);
    PrepareClientArrays(device);
    const GLsizei stride = 8 * sizeof(float);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, stride, store.polygon.Data());
    glColorPointer(4, GL_FLOAT, stride, store.polygon.Data() + 4);
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, store.polygon.Data() + 2);
    }
    glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(store.polygon.Count()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glShadeModel(GL_FLAT);
    glEnable(GL_TEXTURE_2D);
    store.ApplyDrawingColour();
    glDisable(GL_DITHER);
    glDisable(GL_COLOR_MATERIAL);
}

void gfx2d::DrawPixel(OpenGLRainbows& device, double x, double y, int64_t colour) {
    BeginPrimitive(device, colour);
    glPushMatrix();
    glTranslatef(kPixelCentre, kPixelCentre, 0);
    glBegin(GL_POINTS);
    glVertex2d(x, y);
    glEnd();
    glPopMatrix();
    EndPrimitive(device);
}

void gfx2d::DrawLine(OpenGLRainbows& device, double x1, double y1, double x2, double y2,
                     int64_t colour) {
    BeginPrimitive(device, colour);
    glPushMatrix();
    glTranslatef(kPixelCentre, kPixelCentre, 0);
    glBegin(GL_LINES);
    glVertex2d(x1, y1);
    glVertex2d(x2, y2);
    glEnd();
    // Lines leave out their last pixel; the point puts it back.
    glBegin(GL_POINTS);
    glVertex2d(x2, y2);
    glEnd();
    glPopMatrix();
    EndPrimitive(device);
}

void gfx2d::DrawRect(OpenGLRainbows& device, double x, double y, double width, double height,
                     int64_t colour) {
    if (width < 0) {
        x = x + width + 1;
        width = -width;
    }
    if (height < 0) {
        y = y + height + 1;
        height = -height;
    }
    BeginPrimitive(device, colour);
    glBegin(GL_QUADS);
    glVertex2d(x, y);
    glVertex2d(x, y + height);
    glVertex2d(x + width, y + height);
    glVertex2d(x + width, y);
    glEnd();
    EndPrimitive(device);
}

int64_t gfx2d::PixelColour(OpenGLRainbows& device, int x, int y) {
    FlushSpriteBatch(device);
    int width, height;
    SurfaceSize(device, width, height);
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    GLubyte rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // A framebuffer reads from the target's texture.
    if (!device.renderTargets.active.throughFramebuffer) glReadBuffer(GL_BACK);
    glReadPixels(x, SurfaceRows(device) - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return rgb[0] + rgb[1] * 256 + rgb[2] * 65536;
}

int SpritesCollide(OpenGLRainbows& device, int id1, int x1, int y1, int id2, int x2, int y2) {
    const SpriteSlot* a = LoadedSlot(device, id1);
    const SpriteSlot* b = LoadedSlot(device, id2);
    if (!a || !b) return 0;
    // 64-bit edges: positions from game code may be anywhere in the int range.
    const int64_t left = std::max<int64_t>(x1, x2);
    const int64_t right =
        std::min<int64_t>(int64_t(x1) + a->imageWidth, int64_t(x2) + b->imageWidth);
    const int64_t top = std::max<int64_t>(y1, y2);
    const int64_t bottom =
        std::min<int64_t>(int64_t(y1) + a->imageHeight, int64_t(y2) + b->imageHeight);
    if (left >= right || top >= bottom) return 0;
    const std::vector<uint8_t>& alphaA = AlphaCopy(device, id1);
    const std::vector<uint8_t>& alphaB = AlphaCopy(device, id2);
    auto opaque = [](const SpriteSlot& slot, const std::vector<uint8_t>& alpha, int64_t sx,
                     int64_t sy, int64_t x, int64_t y) {
        // Texture rows run bottom-up.
        const int64_t row = sy + slot.imageHeight - 1 - y, column = x - sx;
        if (row < 0 || column < 0 || row >= slot.textureHeight || column >= slot.textureWidth)
            return false;
        return alpha[static_cast<size_t>(row * slot.textureWidth + column)] != 0;
    };
    // A coarse lattice first: overlapping shapes are usually found within the first pass.
    for (int rowPhase = 0; rowPhase < 2; ++rowPhase)
        for (int columnPhase = 0; columnPhase < 2; ++columnPhase)
            for (int64_t y = top + rowPhase; y < bottom; y += 2)
                for (int64_t x = left + columnPhase; x < right; x += 2)
                    if (opaque(*a, alphaA, x1, y1, x, y) && opaque(*b, alphaB, x2, y2, x, y))
                        return 1;
    return 0;
}
