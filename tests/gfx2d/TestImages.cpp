#include "TestImages.h"

#include <png.h>

#include <algorithm>

#include "files/LittleEndian.h"

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

} // namespace

std::vector<uint8_t> MakeBmpOfFormat(uint32_t headerSize, int width, int height, int bits,
                                     uint32_t compression, const std::vector<uint32_t>& palette,
                                     const std::string& pixels,
                                     const std::array<uint32_t, 3>& masks) {
    const bool core = headerSize == 12;
    std::vector<uint8_t> header; // the info header, the masks and the palette
    files::AppendLe32(header, headerSize);
    if (core) {
        for (int value : {width, height, 1, bits})
            files::AppendLe16(header, static_cast<uint32_t>(value));
    } else {
        files::AppendLe32(header, static_cast<uint32_t>(width));
        files::AppendLe32(header, static_cast<uint32_t>(height));
        files::AppendLe16(header, 1);
        files::AppendLe16(header, bits);
        for (size_t value : {size_t{compression}, pixels.size(), size_t{2835}, size_t{2835},
                             palette.size(), size_t{0}})
            files::AppendLe32(header, static_cast<uint32_t>(value));
        if (compression == 3 || headerSize >= 52)
            for (uint32_t mask : masks)
                files::AppendLe32(header, mask);
        header.resize(std::max<size_t>(header.size(), headerSize), 0);
    }
    for (uint32_t c : palette) {
        for (int shift : {16, 8, 0})
            header.push_back((c >> shift) & 0xFF);
        if (!core) header.push_back(0);
    }
    std::vector<uint8_t> out = {'B', 'M'};
    const uint32_t offset = 14 + static_cast<uint32_t>(header.size());
    files::AppendLe32(out, offset + static_cast<uint32_t>(pixels.size()));
    files::AppendLe32(out, 0);
    files::AppendLe32(out, offset);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> MakeBmp(int width, int height, int bits, const PixelColour& colour) {
    const int bytesPerPixel = bits / 8;
    const int stride = (width * bytesPerPixel + 3) & ~3;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y) { // bottom-up
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            pixels += {static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c)};
            if (bytesPerPixel == 4) pixels += '\x5A';
        }
        pixels.append(stride - width * bytesPerPixel, '\xEE');
    }
    return MakeBmpOfFormat(40, width, height, bits, 0, {}, pixels);
}

std::vector<uint8_t> MakePngOfFormat(const PngFormat& format, int width,
                                     const std::vector<std::vector<uint8_t>>& rows) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    png_set_IHDR(png, info, width, static_cast<png_uint_32>(rows.size()), format.depth,
                 format.colourType, format.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : format.palette)
        palette.push_back({static_cast<png_byte>(c), static_cast<png_byte>(c >> 8),
                           static_cast<png_byte>(c >> 16)});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_color_16 black{};
    if (format.transparency)
        png_set_tRNS(png, info, format.paletteAlpha.data(),
                     static_cast<int>(format.paletteAlpha.size()), &black);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (const std::vector<uint8_t>& row : rows)
            png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void ExpectPixels(const std::vector<Probe>& probes, const std::string& what) {
    for (const Probe& probe : probes)
        EXPECT_EQ(static_cast<uint32_t>(GetPixel(probe.x, probe.y)), probe.colour)
            << what << " at " << probe.x << "," << probe.y;
}

uint32_t Colour(const gfx2d::DecodedImage& image, int x, int y) {
    const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
    return p[0] + p[1] * 256u + p[2] * 65536u;
}

std::vector<uint32_t> Pixels(const gfx2d::DecodedImage& image) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < image.width * image.height; ++i)
        pixels.push_back(Colour(image, i % image.width, i / image.width) +
                         (uint32_t{image.pixels[i * 4 + 3]} << 24));
    return pixels;
}
