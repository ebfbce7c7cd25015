#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "gfx2d/ImageCodec.h"

namespace {

// Pictures beyond this size are refused before any pixel memory is taken: no texture can be
// that large, and a forged header must not make the reader claim gigabytes.
const png_uint_32 kMaxSide = 16384;
// Deflate turns one stored byte into at most 1032, so a picture whose rows need more raw bytes
// than that many times the file's size cannot be in the file: it is refused before any pixel
// memory is taken, whatever its header claims.
const uint64_t kDeflateMaxRatio = 1032;
// An interlaced picture is read whole before it can be checked row by row, so it is refused
// above this many pixels (128 MiB of RGBA).
const uint64_t kMaxInterlacedPixels = uint64_t{1} << 25;

void IgnoreWarning(png_structp, png_const_charp) {}

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->position) png_error(png, "read past the end");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// Turns a row of 1, 3 or 4 channels, stored right-aligned in its RGBA row, into RGBA.
void WidenRow(uint8_t* out, png_uint_32 width, int channels, int64_t colourKey) {
    const uint8_t* in = out + static_cast<size_t>(width) * (4 - channels);
    for (png_uint_32 x = 0; x < width; ++x) {
        uint8_t r, g, b, a = 255;
        if (channels == 4) {
            r = in[x * 4], g = in[x * 4 + 1], b = in[x * 4 + 2], a = in[x * 4 + 3];
        } else if (channels == 3) {
            r = in[x * 3], g = in[x * 3 + 1], b = in[x * 3 + 2];
            if (colourKey != gfx2d::kNoColourKey && r + g * 256 + b * 65536 == colourKey)
                r = g = b = a = 0;
        } else {
            r = g = b = in[x];
        }
        out[x * 4] = r;
        out[x * 4 + 1] = g;
        out[x * 4 + 2] = b;
        out[x * 4 + 3] = a;
    }
}

// libpng reports errors by long jump; the jump target lives in this function, which holds
// nothing with a destructor, so the jump skips no clean-up.
// Whether the raw rows of the picture described by info could come out of size bytes.
bool FitsInFile(png_structp png, png_infop info, size_t size) {
    const uint64_t width = png_get_image_width(png, info);
    const uint64_t height = png_get_image_height(png, info);
    const uint64_t bitsPerPixel =
        uint64_t{png_get_bit_depth(png, info)} * png_get_channels(png, info);
    const uint64_t rawBytes = height * ((width * bitsPerPixel + 7) / 8);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE &&
        width * height > kMaxInterlacedPixels)
        return false;
    return rawBytes <= kDeflateMaxRatio * size;
}

bool ReadPng(png_structp png, png_infop info, MemoryReader* reader, int64_t colourKey,
             const char* fileName, gfx2d::DecodedImage* image, std::vector<png_bytep>* rows,
             std::string* why) {
    if (setjmp(png_jmpbuf(png))) {
        if (why) *why = "damaged at byte " + std::to_string(reader->position);
        return false;
    }
    png_set_read_fn(png, reader, ReadFromMemory);
    png_set_user_limits(png, kMaxSide, kMaxSide);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Fuzzed bytes rarely carry right checksums; without this the decoder is never reached.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
    png_read_info(png, info);
    if (!FitsInFile(png, info, reader->size)) return false;

    const int colourType = png_get_color_type(png, info);
    const bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_expand(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) png_set_expand(png);
    if (transparencyChunk) png_set_expand(png);
    // Grey with alpha (stored so, or made so by a transparency chunk) has no form of its own
    // here: it is read as RGB with alpha.
    if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA ||
        (colourType == PNG_COLOR_TYPE_GRAY && transparencyChunk))
        png_set_gray_to_rgb(png);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int depth = png_get_bit_depth(png, info);
    const int channels = png_get_channels(png, info);
    const int type = png_get_color_type(png, info);
    if (depth != 8) {
        std::printf("File %s has bit depth %d.\n", fileName, depth);
        std::printf("Only bit depth of 8 is supported.\n");
        if (why) *why = "unsupported PNG format";
        return false;
    }
    if (type != PNG_COLOR_TYPE_GRAY && type != PNG_COLOR_TYPE_RGB &&
        type != PNG_COLOR_TYPE_RGB_ALPHA) {
        std::printf("File %s has unsupported color type.\n", fileName);
        std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
        if (why) *why = "unsupported PNG format";
        return false;
    }

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (width == 0 || height == 0 || rowBytes != static_cast<size_t>(width) * channels) {
        if (why) *why = "unsupported PNG format";
        return false;
    }

    // Each row lands in the output buffer itself, right-aligned, and is widened to RGBA in
    // place from the left, which never overwrites a byte not yet read.
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    const size_t outRowBytes = static_cast<size_t>(width) * 4;
    const size_t inOffset = outRowBytes - rowBytes;
    if (png_get_interlace_type(png, info) == PNG_INTERLACE_NONE) {
        // Row by row, so that a forged size with too little data fails before the memory for
        // the whole picture is taken.
        for (png_uint_32 y = 0; y < height; ++y) {
            image->pixels.resize((y + 1) * outRowBytes);
            uint8_t* out = image->pixels.data() + y * outRowBytes;
            png_read_row(png, out + inOffset, nullptr);
            WidenRow(out, width, channels, colourKey);
        }
        return true;
    }
    image->pixels.resize(static_cast<size_t>(height) * outRowBytes);
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        (*rows)[y] = image->pixels.data() + y * outRowBytes + inOffset;
    png_read_image(png, rows->data());
    for (png_uint_32 y = 0; y < height; ++y)
        WidenRow(image->pixels.data() + y * outRowBytes, width, channels, colourKey);
    return true;
}

// The decoder takes the memory for an ancillary chunk's stated length before it reads the
// chunk, so every length is checked against the bytes that follow it first: a forged length
// must not make a file of a hundred bytes claim a gigabyte. The offset of the first chunk that
// does not fit goes to at.
bool ChunksFitInFile(const uint8_t* data, size_t size, size_t& at) {
    at = 8; // behind the signature
    while (at + 8 <= size) {
        const uint32_t length = uint32_t{data[at]} << 24 | uint32_t{data[at + 1]} << 16 |
                                uint32_t{data[at + 2]} << 8 | data[at + 3];
        if (length > size - at - 8) return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) break;
        at += size_t{12} + length;
    }
    return true;
}

} // namespace

bool gfx2d::DecodePng(const uint8_t* data, size_t size, int64_t colourKey,
                      const std::string& fileName, gfx2d::DecodedImage& image, std::string* why) {
    image = gfx2d::DecodedImage{};
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        if (why) *why = "not a picture";
        return false;
    }
    size_t badChunk = 0;
    if (!ChunksFitInFile(data, size, badChunk)) {
        if (why) *why = "damaged at byte " + std::to_string(badChunk);
        return false;
    }
    // Warnings (odd but readable chunks) are not the game's concern.
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    std::vector<png_bytep> rows;
    bool ok = false;
    try {
        ok = ReadPng(png, info, &reader, colourKey, fileName.c_str(), &image, &rows, why);
    } catch (const std::bad_alloc&) {
        if (why) *why = "too large";
        ok = false;
    }
    std::fflush(stdout);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) image = gfx2d::DecodedImage{};
    return ok;
}
