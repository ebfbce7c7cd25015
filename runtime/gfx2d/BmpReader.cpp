#include <algorithm>
#include <cstdint>
#include <cstring>

#include "files/LittleEndian.h"
#include "gfx2d/ImageCodec.h"

namespace {

const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = 40;

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, int64_t colourKey, DecodedImage& image) {
    image = DecodedImage{};
    if (!data || size < kFileHeaderSize + kInfoHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = ReadLe32(data + 10);
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize || pixelOffset > size) return false;

    const uint8_t* info = data + kFileHeaderSize;
    const uint32_t infoSize = ReadLe32(info);
    const int32_t width = static_cast<int32_t>(ReadLe32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(ReadLe32(info + 8));
    const int bitCount = ReadLe16(info + 14);
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) return false;
    // A negative height marks rows stored from the top down.
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;

    // The palette follows the info header, whose own size field says how long it is; headers
    // that claim less than the basic 40 bytes or more than the space before the pixels are
    // taken as the basic one.
    size_t paletteStart = kFileHeaderSize + kInfoHeaderSize;
    if (infoSize > kInfoHeaderSize && kFileHeaderSize + infoSize <= pixelOffset)
        paletteStart = kFileHeaderSize + infoSize;
    const size_t paletteEntries = std::min<size_t>((pixelOffset - paletteStart) / 4, 256);
    const uint8_t* palette = data + paletteStart;

    const uint64_t bytesPerPixel = bitCount / 8;
    const uint64_t stride = (static_cast<uint64_t>(width) * bytesPerPixel + 3) & ~uint64_t(3);
    const uint64_t pixelBytes = stride * static_cast<uint64_t>(height);
    if (pixelBytes > size - pixelOffset) return false;

    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    const uint8_t* pixelData = data + pixelOffset;
    for (int32_t row = 0; row < height; ++row) {
        const int32_t fileRow = topDown ? row : height - 1 - row;
        const uint8_t* in = pixelData + stride * fileRow;
        uint8_t* out = image.pixels.data() + static_cast<size_t>(row) * width * 4;
        for (int32_t x = 0; x < width; ++x, out += 4) {
            if (bitCount == 8) {
                const size_t index = in[x];
                if (index < paletteEntries) {
                    out[0] = palette[index * 4 + 2];
                    out[1] = palette[index * 4 + 1];
                    out[2] = palette[index * 4 + 0];
                }
            } else {
                const uint8_t* p = in + x * bytesPerPixel;
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
            }
            out[3] = 255;
            const int64_t colour = out[0] + out[1] * 256 + out[2] * 65536;
            if (colourKey != kNoColourKey && colour == colourKey) std::memset(out, 0, 4);
        }
    }
    return true;
}
