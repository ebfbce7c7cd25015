// The bitmap fonts: 16 x 8 grids of glyph cells (codes 0..127) on black, which the runtime keys
// out when it loads a font.
#pragma once

#include <string>

#include "Canvas.h"

struct FontDesign {
    std::string fontFile; // DejaVu file the letters come from
    int cellWidth = 0;    // glyph cell size in pixels
    int cellHeight = 0;
    Rgb top;     // letter colour at the top of a cell...
    Rgb bottom;  // ...and at its bottom
    Rgb outline; // never pure black, which would be keyed out
    int outlineWidth = 1;
};

// The font picture of a design; all printable ASCII characters (32..126) drawn.
Canvas MakeFontPicture(const FontDesign& design);

// The three fonts of the game and the runtime's default font.
FontDesign StatusFont();
FontDesign ScreenFont();
FontDesign HeadlineFont();
