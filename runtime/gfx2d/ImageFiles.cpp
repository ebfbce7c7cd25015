#include <png.h>

#include <cctype>
#include <cstdio>
#include <memory>

#include "files/FilePaths.h"
#include "files/LittleEndian.h"
#include "gfx2d/ImageCodec.h"

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

// The colour a keyed pixel is saved as in BMP files: the default transparency colour, so that
// loading the file again keys it out.
const uint8_t kKeyRed = 255, kKeyGreen = 0, kKeyBlue = 128;

bool IsKeyed(const gfx2d::SavedPicture& picture, size_t pixel) {
    if (!picture.transparentMask.empty() && picture.transparentMask[pixel]) return true;
    const uint8_t* bgr = picture.bgrBottomUp.data() + pixel * 3;
    return picture.transparencyColour != gfx2d::kNoColourKey &&
           bgr[2] + bgr[1] * 256 + bgr[0] * 65536 == picture.transparencyColour;
}

bool ValidPicture(const gfx2d::SavedPicture& picture) {
    const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
    return picture.width > 0 && picture.height > 0 && picture.bgrBottomUp.size() >= pixels * 3 &&
           (picture.transparentMask.empty() || picture.transparentMask.size() >= pixels);
}

// Writes and closes; true only when every byte reached the file.
bool WriteAndClose(FILE* file, const std::vector<uint8_t>& bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool WritePng(png_structp png, png_infop info, FILE* file, const gfx2d::SavedPicture* picture,
              std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, picture->width, picture->height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows->data());
    png_write_end(png, info);
    return true;
}

} // namespace

bool gfx2d::ReadAssetFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return files::ReadRegularFile(path, bytes, gfx2d::kLargestAssetFile);
}

bool gfx2d::DecodeImageFile(const std::string& path, int64_t colourKey, gfx2d::DecodedImage& image,
                            std::string* why) {
    std::vector<uint8_t> bytes;
    if (!gfx2d::ReadAssetFile(path, bytes)) {
        image = gfx2d::DecodedImage{};
        if (why) *why = "cannot be read";
        return false;
    }
    // The reason comes from the reader whose signature the file carries.
    std::string bmpWhy, pngWhy = "not a picture";
    if (gfx2d::DecodeBmp(bytes.data(), bytes.size(), colourKey, image, &bmpWhy) ||
        gfx2d::DecodePng(bytes.data(), bytes.size(), colourKey, path, image, &pngWhy))
        return true;
    if (why) *why = pngWhy == "not a picture" ? bmpWhy : pngWhy;
    return false;
}

bool gfx2d::NameAsksForPng(const std::string& fileName) {
    const size_t n = fileName.size();
    if (n <= 4 || fileName[n - 4] != '.') return false;
    return std::tolower(static_cast<unsigned char>(fileName[n - 3])) == 'p' &&
           std::tolower(static_cast<unsigned char>(fileName[n - 2])) == 'n' &&
           std::tolower(static_cast<unsigned char>(fileName[n - 1])) == 'g';
}

bool gfx2d::WriteBmpFile(const std::string& path, const gfx2d::SavedPicture& picture) {
    if (!ValidPicture(picture)) return false;
    const uint32_t stride = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * picture.height;
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    files::AppendLe32(out, 54 + imageBytes);
    files::AppendLe32(out, 0);
    files::AppendLe32(out, 54);
    files::AppendLe32(out, 40);
    files::AppendLe32(out, picture.width);
    files::AppendLe32(out, picture.height);
    files::AppendLe16(out, 1);
    files::AppendLe16(out, 24);
    files::AppendLe32(out, 0);
    files::AppendLe32(out, 0);
    files::AppendLe32(out, 10000);
    files::AppendLe32(out, 10000);
    files::AppendLe32(out, 0);
    files::AppendLe32(out, 0);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* row =
            picture.bgrBottomUp.data() + static_cast<size_t>(y) * picture.width * 3;
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* bgr = row + x * 3;
            if (IsKeyed(picture, static_cast<size_t>(y) * picture.width + x)) {
                out.insert(out.end(), {kKeyBlue, kKeyGreen, kKeyRed});
            } else {
                out.insert(out.end(), bgr, bgr + 3);
            }
        }
        out.resize(out.size() + (stride - picture.width * 3), 0);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    return file && WriteAndClose(file, out);
}

bool gfx2d::WritePngFile(const std::string& path, const gfx2d::SavedPicture& picture) {
    if (!ValidPicture(picture)) return false;
    const size_t w = picture.width;
    std::vector<uint8_t> rgba(w * picture.height * 4);
    std::vector<png_bytep> rows(picture.height);
    for (int y = 0; y < picture.height; ++y) {
        // PNG rows run from the top.
        const uint8_t* in = picture.bgrBottomUp.data() + (picture.height - 1 - y) * w * 3;
        uint8_t* out = rgba.data() + y * w * 4;
        rows[y] = out;
        for (size_t x = 0; x < w; ++x) {
            const uint8_t* bgr = in + x * 3;
            out[x * 4] = bgr[2];
            out[x * 4 + 1] = bgr[1];
            out[x * 4 + 2] = bgr[0];
            out[x * 4 + 3] = IsKeyed(picture, (picture.height - 1 - y) * w + x) ? 0 : 255;
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && WritePng(png, info, file, &picture, &rows);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}
