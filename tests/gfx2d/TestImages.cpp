#include "TestImages.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "files/LittleEndian.h"

namespace {

std::vector<uint8_t> BmpHeaders(int width, int height, int bits, uint32_t paletteEntries,
                                uint32_t pixelBytes) {
    std::vector<uint8_t> out;
    const uint32_t offset = 54 + paletteEntries * 4;
    out.push_back('B');
    out.push_back('M');
    AppendLe32(out, offset + pixelBytes);
    AppendLe32(out, 0);
    AppendLe32(out, offset);
    AppendLe32(out, 40);
    AppendLe32(out, static_cast<uint32_t>(width));
    AppendLe32(out, static_cast<uint32_t>(height));
    AppendLe16(out, 1);
    AppendLe16(out, bits);
    AppendLe32(out, 0);
    AppendLe32(out, pixelBytes);
    AppendLe32(out, 2835);
    AppendLe32(out, 2835);
    AppendLe32(out, paletteEntries);
    AppendLe32(out, 0);
    return out;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

} // namespace

std::vector<uint8_t> MakeBmp(int width, int height, int bits, const PixelColour& colour,
                             bool topDown) {
    const int bytesPerPixel = bits / 8;
    const int stride = (width * bytesPerPixel + 3) & ~3;
    std::vector<uint8_t> out =
        BmpHeaders(width, topDown ? -height : height, bits, 0, stride * height);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = topDown ? fileRow : height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            out.push_back((c >> 16) & 0xFF);
            out.push_back((c >> 8) & 0xFF);
            out.push_back(c & 0xFF);
            if (bytesPerPixel == 4) out.push_back(0x5A);
        }
        out.resize(out.size() + (stride - width * bytesPerPixel), 0xEE);
    }
    return out;
}

std::vector<uint8_t> MakePaletteBmp(int width, int height, const std::vector<uint32_t>& palette,
                                    const std::function<uint8_t(int x, int y)>& index) {
    const int stride = (width + 3) & ~3;
    std::vector<uint8_t> out = BmpHeaders(width, height, 8, palette.size(), stride * height);
    for (uint32_t c : palette) {
        out.push_back((c >> 16) & 0xFF);
        out.push_back((c >> 8) & 0xFF);
        out.push_back(c & 0xFF);
        out.push_back(0);
    }
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        for (int x = 0; x < width; ++x)
            out.push_back(index(x, height - 1 - fileRow));
        out.resize(out.size() + (stride - width), 0);
    }
    return out;
}

std::vector<uint8_t> MakePng(int width, int height, int channels, const PixelColour& colour,
                             const std::function<uint8_t(int x, int y)>& alphaOf) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    const int type = channels == 4   ? PNG_COLOR_TYPE_RGB_ALPHA
                     : channels == 3 ? PNG_COLOR_TYPE_RGB
                                     : PNG_COLOR_TYPE_GRAY;
    png_set_IHDR(png, info, width, height, 8, type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(width * channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = row.data() + x * channels;
            p[0] = c & 0xFF;
            if (channels >= 3) {
                p[1] = (c >> 8) & 0xFF;
                p[2] = (c >> 16) & 0xFF;
            }
            if (channels == 4) p[3] = alphaOf ? alphaOf(x, y) : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}
