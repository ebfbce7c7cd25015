// Bitmap fonts: pictures of 16 columns of glyph cells in the font slots of the sprite table.
#pragma once

#include <cstddef>
#include <string>

class OpenGLRainbows;

namespace gfx2d {

struct FontGrid {
    int glyphWidth = 0, glyphHeight = 0;
    int rows = 8; // 16 when the picture is at least as tall as wide (codes 0..255), else 8
};

// The glyph grid of font id's picture (0 x 0 glyphs for an empty slot).
FontGrid FontGridOf(OpenGLRainbows& device, int fontId);
// Loads the picture at path (already resolved) into font slot fontId, keyed with the font
// transparency colour; when it cannot be loaded, the built-in font goes there instead.
void LoadFontIntoSlot(OpenGLRainbows& device, int fontId, const std::string& path);
// Draws length bytes of text with font fontId, top-left corner of the first glyph at (x, y),
// at depth z: one quad per byte, all in one vertex-array call.
void DrawText(OpenGLRainbows& device, int fontId, const char* text, size_t length, double x,
              double y, double z);
// Font ids are clamped to 0..31.
int ClampFontId(int id);

} // namespace gfx2d
