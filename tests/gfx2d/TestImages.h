// Builds small picture files for the 2D graphics tests.
#pragma once

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
// A BMP of any layout: the header of headerSize bytes (12: the OS/2 one with 3-byte palette
// entries; 40 and more: the Windows ones, with the bit-field masks inside headers of 52 bytes and
// more, else after the header), the palette (R + G*256 + B*65536 per entry), then the pixel
// bytes exactly as given.
struct BmpFormat {
    uint32_t headerSize = 40;
    int width = 0;
    int height = 0; // negative: rows from the top down
    int bits = 8;
    uint32_t compression = 0;
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> palette;
};
std::vector<uint8_t> MakeBmpOfFormat(const BmpFormat& format, const std::vector<uint8_t>& pixels);

// A PNG of any colour type and depth with the given raw rows (samples packed as the format
// stores them, 16-bit ones high byte first), palette (R + G*256 + B*65536), palette alphas and
// tRNS colour (grey or R, G, B samples) when given.
struct PngFormat {
    int colourType = 0;
    int depth = 8;
    bool interlaced = false;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> paletteAlpha;
    std::vector<uint16_t> transparentColour;
};
std::vector<uint8_t> MakePngOfFormat(const PngFormat& format, int width,
                                     const std::vector<std::vector<uint8_t>>& rows);
// A PNG of colour type RGB (3 channels), RGBA (4, alpha from alphaOf) or grey (1).
std::vector<uint8_t> MakePng(int width, int height, int channels, const PixelColour& colour,
                             const std::function<uint8_t(int x, int y)>& alphaOf = nullptr);

// A fresh folder under the system's temporary folder, removed by the destructor.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

  private:
    std::string path_;
};

inline uint32_t Rgb(int r, int g, int b) {
    return r + g * 256u + b * 65536u;
}
