// Builds small picture files for the 2D graphics tests.
#pragma once

#include "support/TempDir.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The colour (R + G*256 + B*65536) of picture pixel (x, y), y from the top.
using PixelColour = std::function<uint32_t(int x, int y)>;

// A BMP of 24 or 32 bits, rows bottom-up (or top-down with a negative height).
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const PixelColour& colour,
                             bool topDown = false);
// An 8-bit BMP with the given palette (R + G*256 + B*65536 per entry) and indices.
std::vector<uint8_t> MakePaletteBmp(int width, int height, const std::vector<uint32_t>& palette,
                                    const std::function<uint8_t(int x, int y)>& index);
// A PNG of colour type RGB (3 channels), RGBA (4, alpha from alphaOf) or grey (1).
std::vector<uint8_t> MakePng(int width, int height, int channels, const PixelColour& colour,
                             const std::function<uint8_t(int x, int y)>& alphaOf = nullptr);

inline uint32_t Rgb(int r, int g, int b) {
    return r + g * 256u + b * 65536u;
}
