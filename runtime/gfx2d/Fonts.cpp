#include "gfx2d/Fonts.h"

#include <cmath>

#include "gfx2d/SpriteStore.h"
#include "gfx2d/TexturePixels.h"
#include "gl/OpenGLRainbows.h"

int gfx2d::ClampFontId(int id) {
    return id < 0 ? 0 : id >= kFontCount ? kFontCount - 1 : id;
}

gfx2d::FontGrid gfx2d::FontGridOf(OpenGLRainbows& device, int fontId) {
    const SpriteSlot& slot =
        gfx2d::Sprites(device).slots[kFontSlotBase + gfx2d::ClampFontId(fontId)];
    gfx2d::FontGrid grid;
    // Square pictures hold all 256 codes as well: a 256 x 256 font has 16 x 16 glyphs.
    grid.rows = slot.imageHeight >= slot.imageWidth ? 16 : 8;
    grid.glyphWidth = slot.imageWidth / 16;
    grid.glyphHeight = slot.imageHeight / grid.rows;
    return grid;
}

void gfx2d::LoadFontIntoSlot(OpenGLRainbows& device, int fontId, const std::string& path) {
    const int slot = kFontSlotBase + gfx2d::ClampFontId(fontId);
    if (!path.empty() &&
        gfx2d::LoadImageIntoSlot(device, slot, path, gfx2d::Sprites(device).fontTransparencyColour,
                                 false))
        return;
    gfx2d::UploadImageToSlot(device, slot, gfx2d::BuiltinFontPicture(), false);
}

void gfx2d::DrawText(OpenGLRainbows& device, int fontId, const char* text, size_t length, double x,
                     double y, double z) {
    if (!text || length == 0) return;
    SpriteStore& store = gfx2d::Sprites(device);
    const int slotId = kFontSlotBase + gfx2d::ClampFontId(fontId);
    const SpriteSlot& slot = store.slots[slotId];
    if (!slot.Loaded()) return;
    gfx2d::BindSpriteTexture(device, slotId, -1, false);

    const gfx2d::FontGrid grid = gfx2d::FontGridOf(device, fontId);
    const float sStep = static_cast<float>(slot.imageWidth) / slot.textureWidth / 16;
    const float tStep = static_cast<float>(slot.imageHeight) / slot.textureHeight / grid.rows;
    const float left = static_cast<float>(std::ceil(x)), top = static_cast<float>(std::ceil(y));
    const float bottom = top + grid.glyphHeight, depth = static_cast<float>(z);

    store.text.Clear();
    store.text.Reserve(length * 4);
    for (size_t i = 0; i < length; ++i) {
        const unsigned index = static_cast<unsigned char>(text[i]) % (grid.rows * 16u);
        const float s = (index % 16) * sStep;
        const float t = ((grid.rows - 1) - static_cast<int>(index / 16)) * tStep;
        const float x0 = left + static_cast<float>(i) * grid.glyphWidth, x1 = x0 + grid.glyphWidth;
        const float quad[4][5] = {{x0, bottom, depth, s, t},
                                  {x1, bottom, depth, s + sStep, t},
                                  {x1, top, depth, s + sStep, t + tStep},
                                  {x0, top, depth, s, t + tStep}};
        for (const auto& corner : quad) {
            float* v = store.text.Append();
            for (int k = 0; k < 5; ++k)
                v[k] = corner[k];
        }
    }
    PrepareClientArrays(device);
    const GLsizei stride = 5 * sizeof(float);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, store.text.Data());
    glTexCoordPointer(2, GL_FLOAT, stride, store.text.Data() + 3);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(store.text.Count()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
