#include "Fonts.h"

#include <algorithm>

#include "TextRaster.h"

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

// Rows of ink of a glyph mask, relative to its baseline (negative above).
struct InkRows {
    int top = 0;
    int bottom = -1;
    bool Empty() const { return bottom < top; }
};

InkRows FindInk(const TextMask& mask) {
    InkRows ink{mask.height, -1};
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.At(x, y) > 0.02f) {
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    ink.top -= mask.baseline;
    ink.bottom -= mask.baseline;
    return ink;
}

struct GlyphFit {
    int pixelHeight = 0;
    int highestInk = 0; // most negative ink row over all glyphs
    int lowestInk = 0;
};

// The largest size at which every printable glyph and its outline fit into a cell, with one
// shared baseline.
GlyphFit FitGlyphs(const FontDesign& design) {
    const int room = 2 * design.outlineWidth;
    for (int size = design.cellHeight + 4; size > 6; --size) {
        GlyphFit fit{size, 0, 0};
        bool fits = true;
        for (int c = kFirstPrintable; c <= kLastPrintable && fits; ++c) {
            const TextMask mask = RenderText(design.fontFile, size, std::string(1, char(c)));
            const InkRows ink = FindInk(mask);
            if (ink.Empty()) continue;
            fit.highestInk = std::min(fit.highestInk, ink.top);
            fit.lowestInk = std::max(fit.lowestInk, ink.bottom);
            fits = mask.width + room <= design.cellWidth &&
                   fit.lowestInk - fit.highestInk + 1 + room <= design.cellHeight;
        }
        if (fits) return fit;
    }
    return GlyphFit{6, -5, 1};
}

} // namespace

Canvas MakeFontPicture(const FontDesign& design) {
    Canvas picture(design.cellWidth * kColumns, design.cellHeight * kRows);
    const GlyphFit fit = FitGlyphs(design);
    const int inkHeight = fit.lowestInk - fit.highestInk + 1;
    // Baseline so that the ink of all glyphs sits centred in the cell.
    const int baseline = (design.cellHeight - inkHeight) / 2 - fit.highestInk;
    TextStyle style;
    style.fill = design.top;
    style.shadeFill = design.bottom;
    style.outline = design.outline;
    style.outlineWidth = design.outlineWidth;
    for (int c = kFirstPrintable; c <= kLastPrintable; ++c) {
        const TextMask mask = RenderText(design.fontFile, fit.pixelHeight, std::string(1, char(c)));
        Canvas cell(design.cellWidth, design.cellHeight);
        DrawTextMask(cell, mask, (design.cellWidth - mask.width) / 2, baseline - mask.baseline,
                     style);
        const int cellX = (c % kColumns) * design.cellWidth;
        const int cellY = (c / kColumns) * design.cellHeight;
        for (int y = 0; y < design.cellHeight; ++y)
            for (int x = 0; x < design.cellWidth; ++x)
                picture.Set(cellX + x, cellY + y, cell.At(x, y));
    }
    return picture;
}

FontDesign StatusFont() {
    return {DejaVuPath("DejaVuSansMono-Bold.ttf"),
            12,
            12,
            {255, 255, 240},
            {255, 226, 150},
            {30, 22, 14},
            1};
}

FontDesign ScreenFont() {
    return {
        DejaVuPath("DejaVuSans-Bold.ttf"), 24, 24, {255, 246, 170}, {255, 160, 40}, {70, 26, 8}, 2};
}

FontDesign HeadlineFont() {
    return {DejaVuPath("DejaVuSerif-Bold.ttf"),
            16,
            16,
            {200, 240, 255},
            {90, 170, 255},
            {10, 30, 70},
            1};
}
