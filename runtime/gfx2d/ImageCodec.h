// Image readers and writers. They work on bytes in memory and know nothing of GL, so they can be
// tested and fuzzed on their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A decoded picture: width x height pixels of 4 bytes (R, G, B, A), row 0 at the top.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Colour key value meaning "no colour key".
constexpr int64_t kNoColourKey = -1;

// Decodes a "BM" file of 8, 24 or 32 bits per pixel, bottom-up or top-down. Pixels whose
// R + G*256 + B*65536 equals colourKey become transparent black. False for anything that cannot
// be read safely; palette indices beyond the palette read as black.
bool DecodeBmp(const uint8_t* data, size_t size, int64_t colourKey, DecodedImage& image);

// Decodes a PNG of grey, RGB or RGB with alpha (palettes, low depths and tRNS are expanded,
// 16-bit samples stripped). The colour key applies to RGB pictures only. Unsupported depths and
// colour types print a message naming fileName on standard output.
bool DecodePng(const uint8_t* data, size_t size, int64_t colourKey, const std::string& fileName,
               DecodedImage& image);

// The largest picture or object file read: a 8192 x 8192 picture of 4 bytes per pixel.
constexpr uint64_t kLargestAssetFile = uint64_t{256} << 20;
// Reads a whole regular file of at most kLargestAssetFile bytes; false when it cannot be
// opened or read, is no regular file (a FIFO, a device) or is larger.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Decodes a file as BMP, else as PNG. False when neither reader accepts it.
bool DecodeImageFile(const std::string& path, int64_t colourKey, DecodedImage& image);

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
