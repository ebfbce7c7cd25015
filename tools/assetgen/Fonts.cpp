#include "Fonts.h"

#include <algorithm>
#include <cmath>

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

// Width of the capital letters that set the letter size; wider glyphs are narrowed.
int WidestOrdinaryGlyph(const std::string& fontFile, int size) {
    int widest = 0;
    for (char c : std::string("ABCDEHKNOQRUVXYZ0123456789"))
        widest = std::max(widest, RenderText(fontFile, size, std::string(1, c)).width);
    return widest;
}

// The mask squeezed to a smaller width, each new column the average of the columns it covers.
TextMask Narrowed(const TextMask& mask, int width) {
    if (mask.width <= width) return mask;
    TextMask narrow = mask;
    narrow.width = width;
    narrow.coverage.assign(static_cast<size_t>(width) * mask.height, 0.0f);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < width; ++x) {
            const int from = x * mask.width / width;
            const int to = std::max(from + 1, (x + 1) * mask.width / width);
            float sum = 0;
            for (int sx = from; sx < to; ++sx)
                sum += mask.At(sx, y);
            narrow.coverage[static_cast<size_t>(y) * width + x] = sum / (to - from);
        }
    return narrow;
}

// The mask widened by factor (1 or more), each new column interpolated between the two
// columns it falls between.
TextMask Widened(const TextMask& mask, double factor) {
    const int width = static_cast<int>(mask.width * factor + 0.5);
    if (width <= mask.width) return mask;
    TextMask wide = mask;
    wide.width = width;
    wide.coverage.assign(static_cast<size_t>(width) * mask.height, 0.0f);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < width; ++x) {
            const double source = (x + 0.5) / factor - 0.5;
            const int left = static_cast<int>(std::floor(source));
            const float t = static_cast<float>(source - left);
            wide.coverage[static_cast<size_t>(y) * width + x] =
                mask.At(left, y) * (1 - t) + mask.At(left + 1, y) * t;
        }
    return wide;
}

// The mask with its strokes thickened by pixels to the right: each pixel takes the strongest
// coverage of itself and the pixels left of it.
TextMask Emboldened(const TextMask& mask, int pixels) {
    TextMask bold = mask;
    bold.width = mask.width + pixels;
    bold.coverage.assign(static_cast<size_t>(bold.width) * mask.height, 0.0f);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < bold.width; ++x) {
            float strongest = 0;
            for (int from = x - pixels; from <= x; ++from)
                strongest = std::max(strongest, mask.At(from, y));
            bold.coverage[static_cast<size_t>(y) * bold.width + x] = strongest;
        }
    return bold;
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
        const int ordinaryWidth = WidestOrdinaryGlyph(design.fontFile, size);
        bool fits = true;
        for (int c = kFirstPrintable; c <= kLastPrintable && fits; ++c) {
            const TextMask mask = RenderText(design.fontFile, size, std::string(1, char(c)));
            const InkRows ink = FindInk(mask);
            if (ink.Empty()) continue;
            fit.highestInk = std::min(fit.highestInk, ink.top);
            fit.lowestInk = std::max(fit.lowestInk, ink.bottom);
            // The few glyphs wider than a capital letter (M, W, @, ...) are narrowed to fit.
            const bool wide = mask.width > ordinaryWidth;
            fits = (wide || mask.width + room <= design.cellWidth) &&
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
    // Printing advances by whole cells, so letters as narrow as the font draws them stand
    // apart. Strokes are thickened by a pixel per 16 of cell width (small cells would lose
    // their letters' holes), and every glyph is widened alike until a capital letter and its
    // outline fill the cell but for a pixel on either side.
    const int bold = design.cellWidth / 16;
    const int room = design.cellWidth - 2 * design.outlineWidth - 2;
    const double widening =
        double(room) / (WidestOrdinaryGlyph(design.fontFile, fit.pixelHeight) + bold);
    for (int c = kFirstPrintable; c <= kLastPrintable; ++c) {
        const TextMask glyph =
            RenderText(design.fontFile, fit.pixelHeight, std::string(1, char(c)));
        const TextMask mask = Narrowed(Widened(Emboldened(glyph, bold), widening), room);
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
    return {DejaVuPath("DejaVuSansMono-Bold.ttf"),
            24,
            24,
            {255, 246, 170},
            {255, 160, 40},
            {70, 26, 8},
            2};
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
