// Image readers and writers. They work on bytes in memory and know nothing of GL, so they can be
// tested and fuzzed on their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gfx2d {

// A decoded picture: width x height pixels of 4 bytes (R, G, B, A), row 0 at the top.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Colour key value meaning "no colour key".
constexpr int64_t kNoColourKey = -1;

// Decodes a "BM" file: 1-, 4- and 8-bit palettes (uncompressed or run-length coded), 16 bits
// (5-5-5 or bit fields), 24 bits and 32 bits (plain or bit fields), bottom-up or top-down, with
// the Windows header or the OS/2 one. Alpha is 255; pixels whose R + G*256 + B*65536 equals
// colourKey become transparent black. False for anything that cannot be read safely, with the
// reason in why when given ("not a picture", "cut short at byte N", "damaged at byte N",
// "unsupported BMP format (...)"); palette indices beyond the palette read as black.
bool DecodeBmp(const uint8_t* data, size_t size, int64_t colourKey, DecodedImage& image,
               std::string* why = nullptr);

// Decodes any PNG libpng reads: palettes, low depths and tRNS are expanded, grey with alpha
// becomes RGB with alpha, 16-bit samples are stripped. The colour key applies to RGB pictures
// without alpha only. Unsupported depths and colour types print a message naming fileName on
// standard output. The reason for a failure goes to why when given.
bool DecodePng(const uint8_t* data, size_t size, int64_t colourKey, const std::string& fileName,
               DecodedImage& image, std::string* why = nullptr);

// The largest picture or object file read: a 8192 x 8192 picture of 4 bytes per pixel.
constexpr uint64_t kLargestAssetFile = uint64_t{256} << 20;
// Reads a whole regular file of at most kLargestAssetFile bytes; false when it cannot be
// opened or read, is no regular file (a FIFO, a device) or is larger.
bool ReadAssetFile(const std::string& path, std::vector<uint8_t>& bytes);

// Decodes a file as BMP, else as PNG. False when neither reader accepts it, with the reason in
// why when given: "cannot be read", "not a picture" or the reader's own.
bool DecodeImageFile(const std::string& path, int64_t colourKey, DecodedImage& image,
                     std::string* why = nullptr);

// A picture to save: width x height pixels of 3 bytes (B, G, R), row 0 at the BOTTOM, rows
// packed without padding. Transparent pixels (those equal to transparencyColour, and those
// marked in transparentMask when it is given, one byte per pixel) are written as the default key
// colour in BMP files and with alpha 0 in PNG files.
struct SavedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgrBottomUp;
    int64_t transparencyColour = kNoColourKey;
    std::vector<uint8_t> transparentMask;
};

// True when fileName asks for PNG: longer than 4 characters, '.' fourth from the end and
// "png" in any letter case after it.
bool NameAsksForPng(const std::string& fileName);

// Write the picture as a 24-bit BMP or an 8-bit RGBA PNG. True only when the whole file was
// written.
bool WriteBmpFile(const std::string& path, const SavedPicture& picture);
bool WritePngFile(const std::string& path, const SavedPicture& picture);

} // namespace gfx2d
