#include "gfx2d/TexturePixels.h"

#include <cmath>
#include <cstring>

int gfx2d::PowerOfTwoAtLeast(int size, int minimum) {
    int power = minimum;
    while (power < size && power < (1 << 30))
        power <<= 1;
    return power;
}

std::vector<uint8_t> gfx2d::PadAndFlip(const gfx2d::DecodedImage& image, int copyWidth,
                                       int copyHeight, int texWidth, int texHeight) {
    std::vector<uint8_t> buffer(static_cast<size_t>(texWidth) * texHeight * 4, 0);
    for (int row = 0; row < copyHeight; ++row) {
        const uint8_t* in = image.pixels.data() + static_cast<size_t>(row) * image.width * 4;
        uint8_t* out = buffer.data() + static_cast<size_t>(copyHeight - 1 - row) * texWidth * 4;
        std::memcpy(out, in, static_cast<size_t>(copyWidth) * 4);
    }
    return buffer;
}

void gfx2d::BleedEdges(std::vector<uint8_t>& rgba, int width, int height) {
    const std::vector<uint8_t> source = rgba;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = rgba.data() + (static_cast<size_t>(y) * width + x) * 4;
            if (pixel[3] != 0) continue;
            int r = 0, g = 0, b = 0, count = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 1 || ny < 1 || nx >= width - 1 ||
                        ny >= height - 1)
                        continue;
                    const uint8_t* n = source.data() + (static_cast<size_t>(ny) * width + nx) * 4;
                    if (n[3] == 0) continue;
                    r += n[0], g += n[1], b += n[2], ++count;
                }
            }
            if (count == 0) continue;
            pixel[0] = static_cast<uint8_t>(r / count);
            pixel[1] = static_cast<uint8_t>(g / count);
            pixel[2] = static_cast<uint8_t>(b / count);
        }
    }
}

void gfx2d::MakeNormalMap(std::vector<uint8_t>& rgba, int width, int height) {
    const std::vector<uint8_t> source = rgba;
    auto blue = [&](int x, int y) {
        x = (x % width + width) % width;
        y = (y % height + height) % height;
        return static_cast<double>(source[(static_cast<size_t>(y) * width + x) * 4 + 2]);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int up = y - 1, down = y + 1, left = x - 1, right = x + 1;
            const double dy = (blue(left, down) + 2 * blue(x, down) + blue(right, down) -
                               blue(left, up) - 2 * blue(x, up) - blue(right, up)) /
                              255.0;
            const double dx = (blue(left, down) + 2 * blue(left, y) + blue(left, up) -
                               blue(right, down) - 2 * blue(right, y) - blue(right, up)) /
                              255.0;
            const double n = 1.0 / std::sqrt(dx * dx + dy * dy + 1.0);
            uint8_t* pixel = rgba.data() + (static_cast<size_t>(y) * width + x) * 4;
            pixel[0] = static_cast<uint8_t>((dx * n + 1) * 0.5 * 255);
            pixel[1] = static_cast<uint8_t>((dy * n + 1) * 0.5 * 255);
            pixel[2] = static_cast<uint8_t>((n + 1) * 0.5 * 255);
        }
    }
}

void gfx2d::HalveMipLevel(std::vector<uint8_t>& rgba, int& width, int& height) {
    const int newWidth = width > 1 ? width / 2 : 1;
    const int newHeight = height > 1 ? height / 2 : 1;
    const bool twoColumns = width > 1, twoRows = height > 1;
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            const int sx = twoColumns ? x * 2 : x, sy = twoRows ? y * 2 : y;
            auto at = [&](int px, int py, int c) {
                return static_cast<int>(rgba[(static_cast<size_t>(py) * width + px) * 4 + c]);
            };
            uint8_t out[4];
            for (int c = 0; c < 4; ++c) {
                int value;
                if (twoColumns && twoRows)
                    value = (4 * at(sx, sy, c) + 2 * at(sx + 1, sy, c) + 2 * at(sx, sy + 1, c) +
                             at(sx + 1, sy + 1, c)) /
                            9;
                else if (twoColumns)
                    value = (2 * at(sx, sy, c) + at(sx + 1, sy, c)) / 3;
                else if (twoRows)
                    value = (2 * at(sx, sy, c) + at(sx, sy + 1, c)) / 3;
                else
                    value = at(sx, sy, c);
                out[c] = static_cast<uint8_t>(value);
            }
            // The target index never exceeds the source indices still to be read.
            std::memcpy(rgba.data() + (static_cast<size_t>(y) * newWidth + x) * 4, out, 4);
        }
    }
    width = newWidth;
    height = newHeight;
    rgba.resize(static_cast<size_t>(width) * height * 4);
}

namespace {

// Glyph masks of character codes 32..127: bit (row * 5 + column) lights the pixel at
// (column + 1, row + 1) of the 8 x 8 cell.
const uint32_t kGlyphMasks[96] = {
    0x00000000, 0x08021080, 0x00002940, 0x15F57D40, 0x08E619C4, 0x14222140, 0x0ED114E0, 0x00001080,
    0x08210880, 0x04421040, 0x09575480, 0x08471080, 0x04400000, 0x00070000, 0x08000000, 0x04222100,
    0x00E5294E, 0x004210C4, 0x00E1390E, 0x00E4390E, 0x0084394A, 0x00E4384E, 0x00E5384E, 0x0042210E,
    0x00E5394E, 0x00E4394E, 0x00020080, 0x00220080, 0x00820888, 0x000701C0, 0x00222082, 0x0040310E,
    0x00E0B526, 0x00A5394E, 0x00E5194E, 0x00E5094E, 0x00E52946, 0x00E1384E, 0x0021384E, 0x00E5284E,
    0x00A5394A, 0x00E2108E, 0x00E5210C, 0x00A5194A, 0x00E10842, 0x015AD6BF, 0x00A5294E, 0x00E5294E,
    0x0021394E, 0x00F294A7, 0x00A5194E, 0x00E4384E, 0x0042108E, 0x00E5294A, 0x0045294A, 0x01FAD6B5,
    0x00A5114A, 0x0042394A, 0x00E1110E, 0x00610846, 0x01041041, 0x00621086, 0x00000144, 0x00E00000,
    0x00000082, 0x00E53000, 0x00E53842, 0x00E13800, 0x00E53908, 0x08273800, 0x00423888, 0x08873800,
    0x00A51842, 0x00421004, 0x04421004, 0x00A32842, 0x00421084, 0x015ABC00, 0x00A51800, 0x00E53800,
    0x04E51800, 0x10E53000, 0x00253800, 0x00E409C0, 0x00C23884, 0x00C52800, 0x00452800, 0x00EAD400,
    0x00A22800, 0x1C872800, 0x00E121C0, 0x00821888, 0x00421084, 0x00223082, 0x0002A800, 0x3F18C63F,
};

const int kCell = 8;

bool GlyphLit(uint32_t mask, int column, int row) {
    const int c = column - 1, r = row - 1;
    return c >= 0 && c < 5 && r >= 0 && r < 6 && (mask >> (r * 5 + c)) & 1;
}

} // namespace

gfx2d::DecodedImage gfx2d::BuiltinFontPicture() {
    gfx2d::DecodedImage font;
    font.width = 16 * kCell;
    font.height = 8 * kCell;
    font.pixels.assign(static_cast<size_t>(font.width) * font.height * 4, 0);
    for (int code = 32; code < 128; ++code) {
        const uint32_t mask = kGlyphMasks[code - 32];
        const int left = (code % 16) * kCell, top = (code / 16) * kCell;
        for (int row = 0; row < kCell; ++row) {
            for (int column = 0; column < kCell - 1; ++column) {
                uint8_t* pixel =
                    font.pixels.data() +
                    ((static_cast<size_t>(top + row)) * font.width + left + column) * 4;
                if (GlyphLit(mask, column, row)) {
                    std::memset(pixel, 255, 4);
                } else if (GlyphLit(mask, column - 1, row) || GlyphLit(mask, column + 1, row) ||
                           GlyphLit(mask, column, row - 1) || GlyphLit(mask, column, row + 1)) {
                    pixel[0] = pixel[1] = pixel[2] = 8;
                    pixel[3] = 255;
                }
            }
        }
    }
    return font;
}
