// Words drawn with FreeType from the DejaVu fonts of the system: the glyphs of the bitmap fonts
// and the texts on the screen pictures.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

// Where the DejaVu fonts are installed.
std::string DejaVuPath(const std::string& fileName);

// A grey coverage mask (0..1 per pixel) of rendered text.
struct TextMask {
    int width = 0;
    int height = 0;
    // Distance from the top of the mask to the baseline.
    int baseline = 0;
    std::vector<float> coverage;
    float At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : coverage[y * width + x];
    }
};

// Renders text in one line at a pixel height; an empty mask when the font cannot be opened.
TextMask RenderText(const std::string& fontFile, int pixelHeight, const std::string& text);

// The largest pixel height (at most maxHeight) at which text fits into width x height.
int FittingHeight(const std::string& fontFile, const std::string& text, int width, int height,
                  int maxHeight);

// Draws a mask onto a canvas with its top-left corner at (x, y): the letters in fill, shaded
// to shadeFill at the bottom, surrounded by an outline of the given thickness.
struct TextStyle {
    Rgb fill{255, 255, 255};
    Rgb shadeFill{255, 255, 255};
    Rgb outline{0, 0, 0};
    int outlineWidth = 0;
    // Letters drawn with full coverage only: no blending into the background, so that the
    // fill colour appears exactly.
    bool crisp = false;
};
void DrawTextMask(Canvas& canvas, const TextMask& mask, int x, int y, const TextStyle& style);

// Renders and draws text centred in the box (x0, y0)-(x1, y1), as large as fits.
void DrawTextInBox(Canvas& canvas, const std::string& fontFile, const std::string& text, int x0,
                   int y0, int x1, int y1, int maxHeight, const TextStyle& style);
