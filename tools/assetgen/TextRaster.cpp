#include "TextRaster.h"

#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

// One FreeType library and face for the duration of a rendering.
class Face {
  public:
    Face(const std::string& fontFile, int pixelHeight) {
        if (FT_Init_FreeType(&library_) != 0) return;
        if (FT_New_Face(library_, fontFile.c_str(), 0, &face_) != 0) {
            face_ = nullptr;
            return;
        }
        FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelHeight));
    }
    ~Face() {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    FT_Face Get() const { return face_; }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

} // namespace

std::string DejaVuPath(const std::string& fileName) {
    return "/usr/share/fonts/truetype/dejavu/" + fileName;
}

TextMask RenderText(const std::string& fontFile, int pixelHeight, const std::string& text) {
    TextMask mask;
    Face face(fontFile, pixelHeight);
    FT_Face ft = face.Get();
    if (!ft) return mask;
    const int ascent = static_cast<int>(std::ceil(ft->size->metrics.ascender / 64.0));
    const int descent = static_cast<int>(std::ceil(-ft->size->metrics.descender / 64.0));
    // First pass measures, second pass draws.
    int penX = 0, left = 0, right = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(ft, c, FT_LOAD_RENDER) != 0) continue;
        left = std::min(left, penX + ft->glyph->bitmap_left);
        right = std::max(right,
                         penX + ft->glyph->bitmap_left + static_cast<int>(ft->glyph->bitmap.width));
        penX += static_cast<int>(ft->glyph->advance.x / 64);
    }
    mask.width = std::max(right - left, 1);
    mask.height = ascent + descent;
    mask.baseline = ascent;
    mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0.0f);
    penX = -left;
    for (unsigned char c : text) {
        if (FT_Load_Char(ft, c, FT_LOAD_RENDER) != 0) continue;
        const FT_Bitmap& bitmap = ft->glyph->bitmap;
        const int originX = penX + ft->glyph->bitmap_left;
        const int originY = ascent - ft->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int x = originX + static_cast<int>(col), y = originY + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) continue;
                float& cell = mask.coverage[static_cast<size_t>(y) * mask.width + x];
                cell = std::min(1.0f, cell + bitmap.buffer[row * bitmap.pitch + col] / 255.0f);
            }
        }
        penX += static_cast<int>(ft->glyph->advance.x / 64);
    }
    return mask;
}

int FittingHeight(const std::string& fontFile, const std::string& text, int width, int height,
                  int maxHeight) {
    for (int size = maxHeight; size > 6; --size) {
        const TextMask mask = RenderText(fontFile, size, text);
        if (mask.width <= width && mask.height <= height) return size;
    }
    return 6;
}

void DrawTextMask(Canvas& canvas, const TextMask& mask, int x, int y, const TextStyle& style) {
    const int reach = style.outlineWidth;
    for (int my = -reach; my < mask.height + reach; ++my) {
        for (int mx = -reach; mx < mask.width + reach; ++mx) {
            const float inside = mask.At(mx, my);
            float around = 0;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx)
                    if (dx * dx + dy * dy <= reach * reach + reach)
                        around = std::max(around, mask.At(mx + dx, my + dy));
            if (reach > 0) canvas.Blend(x + mx, y + my, style.outline, around);
            const Rgb fill = Mix(style.fill, style.shadeFill,
                                 std::clamp(double(my) / std::max(mask.height - 1, 1), 0.0, 1.0));
            if (style.crisp) {
                if (inside >= 0.5f) canvas.Set(x + mx, y + my, style.fill);
            } else {
                canvas.Blend(x + mx, y + my, fill, inside);
            }
        }
    }
}

void DrawTextInBox(Canvas& canvas, const std::string& fontFile, const std::string& text, int x0,
                   int y0, int x1, int y1, int maxHeight, const TextStyle& style) {
    const int margin = style.outlineWidth;
    const int size = FittingHeight(fontFile, text, x1 - x0 + 1 - 2 * margin,
                                   y1 - y0 + 1 - 2 * margin, maxHeight);
    const TextMask mask = RenderText(fontFile, size, text);
    const int x = x0 + (x1 - x0 + 1 - mask.width) / 2;
    const int y = y0 + (y1 - y0 + 1 - mask.height) / 2;
    DrawTextMask(canvas, mask, x, y, style);
}
