// Builds small picture files for the 2D graphics tests and checks what they draw; brings the
// headers every one of them uses.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteCommands.h"
#include "gl/OpenGLRainbows.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"

// The colour (R + G*256 + B*65536) of picture pixel (x, y), y from the top.
using PixelColour = std::function<uint32_t(int x, int y)>;

// A BMP of 24 or 32 bits, rows bottom-up.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const PixelColour& colour);
// A BMP of any layout: an info header of headerSize bytes (12: the OS/2 one, whose palette
// entries have 3 bytes), the bit-field masks (inside headers of 52 bytes and more, else after
// the header), the palette (R + G*256 + B*65536 per entry), then the pixel bytes as given.
std::vector<uint8_t> MakeBmpOfFormat(uint32_t headerSize, int width, int height, int bits,
                                     uint32_t compression, const std::vector<uint32_t>& palette,
                                     const std::string& pixels,
                                     const std::array<uint32_t, 3>& masks = {});

// A PNG of any colour type and depth from raw rows (samples packed as the format stores them,
// 16-bit ones high byte first), with a palette (R + G*256 + B*65536) and a transparency chunk
// (palette alphas; black for the other colour types) when asked.
struct PngFormat {
    int colourType = 0;
    int depth = 8;
    bool interlaced = false;
    std::vector<uint32_t> palette{};
    bool transparency = false;
    std::vector<uint8_t> paletteAlpha{};
};
std::vector<uint8_t> MakePngOfFormat(const PngFormat& format, int width,
                                     const std::vector<std::vector<uint8_t>>& rows);

inline uint32_t Rgb(int r, int g, int b) {
    return r + g * 256u + b * 65536u;
}

// A screen pixel and the colour (R + G*256 + B*65536) GetPixel must give there.
struct Probe {
    int x, y;
    uint32_t colour;
};
// Checks every probe, naming the probe and the case that fail.
void ExpectPixels(const std::vector<Probe>& probes, const std::string& what = "");

// The colour (R + G*256 + B*65536) of a decoded picture's pixel; every pixel, rows top-down,
// with its alpha in the top byte as well.
uint32_t Colour(const gfx2d::DecodedImage& image, int x, int y);
std::vector<uint32_t> Pixels(const gfx2d::DecodedImage& image);
constexpr uint32_t kOpaque = 0xFF000000u;

// A running runtime and a temporary folder for picture files.
class PictureTest : public GlRuntimeTest {
  protected:
    uint32_t Pixel(int x, int y) { return static_cast<uint32_t>(GetPixel(x, y)); }
    // Loads a BMP made of colour into sprite slot id.
    double Load(int id, int width, int height, const PixelColour& colour, int bits = 24) {
        return LoadSprite(folder.Write("s.bmp", MakeBmp(width, height, bits, colour)).c_str(), id);
    }
    TempDir folder;
};
