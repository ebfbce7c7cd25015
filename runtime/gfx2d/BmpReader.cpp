#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "files/LittleEndian.h"
#include "gfx2d/ImageCodec.h"

namespace {

const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = 40;
// OS/2 1.x files carry this short header: 16-bit width and height, no compression, and palette
// entries of 3 bytes instead of 4.
const size_t kCoreHeaderSize = 12;

// The compression field's values this reader knows.
enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Sides beyond this are refused before pixel memory is taken: no texture can be that large.
const uint32_t kMaxSide = 16384;
// Run-length data may end the picture early, so a few bytes can describe any size: such
// pictures are refused beyond this many pixels (a picture of 4096 x 4096 takes 64 MiB).
const uint64_t kMaxRunLengthPixels = uint64_t{1} << 24;

// A colour channel inside a 16- or 32-bit pixel: where its bits sit and how many there are.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t maximum = 0; // the channel's largest value, mask >> shift
};

Channel ChannelOf(uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    if (mask == 0) return channel;
    while (!((mask >> channel.shift) & 1))
        ++channel.shift;
    channel.maximum = mask >> channel.shift;
    return channel;
}

// The channel's value scaled to 0..255, rounded to the nearest.
uint8_t Scale(const Channel& channel, uint32_t pixel) {
    if (channel.maximum == 0) return 0;
    const uint64_t value = (pixel & channel.mask) >> channel.shift;
    return static_cast<uint8_t>((value * 255 + channel.maximum / 2) / channel.maximum);
}

struct BmpLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kRgb;
    const uint8_t* palette = nullptr;
    size_t paletteEntries = 0;
    size_t paletteEntrySize = 4;
    Channel red, green, blue;
};

// Bytes per stored row of an uncompressed picture: rows are padded to whole 32-bit words.
uint64_t RowStride(const BmpLayout& layout) {
    return (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
}

class BmpDecoder {
  public:
    BmpDecoder(const uint8_t* data, size_t size, std::string* why)
        : data_(data), size_(size), why_(why) {}

    bool Decode(int64_t colourKey, gfx2d::DecodedImage& image);

  private:
    bool ReadHeaders();
    void ReadUncompressed(gfx2d::DecodedImage& image) const;
    bool ReadRunLengths(gfx2d::DecodedImage& image) const;
    void SetIndex(gfx2d::DecodedImage& image, uint32_t x, uint32_t fileRow, unsigned index) const;

    bool Fail(const char* what, size_t at) {
        if (why_) *why_ = std::string(what) + " at byte " + std::to_string(at);
        return false;
    }
    bool Unsupported() {
        if (why_)
            *why_ = "unsupported BMP format (" + std::to_string(layout_.bits) +
                    " bits, compression " + std::to_string(layout_.compression) + ")";
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    std::string* why_;
    uint32_t pixelOffset_ = 0;
    BmpLayout layout_;
};

bool BmpDecoder::ReadHeaders() {
    if (size_ < kFileHeaderSize + 4) return Fail("cut short", size_);
    pixelOffset_ = files::ReadLe32(data_ + 10);
    const uint8_t* info = data_ + kFileHeaderSize;
    const uint32_t infoSize = files::ReadLe32(info);
    BmpLayout& l = layout_;
    size_t paletteStart;
    if (infoSize == kCoreHeaderSize) {
        if (size_ < kFileHeaderSize + kCoreHeaderSize) return Fail("cut short", size_);
        l.width = files::ReadLe16(info + 4);
        l.height = files::ReadLe16(info + 6);
        l.bits = files::ReadLe16(info + 10);
        l.paletteEntrySize = 3;
        paletteStart = kFileHeaderSize + kCoreHeaderSize;
    } else {
        if (size_ < kFileHeaderSize + kInfoHeaderSize) return Fail("cut short", size_);
        const int32_t width = static_cast<int32_t>(files::ReadLe32(info + 4));
        const int32_t height = static_cast<int32_t>(files::ReadLe32(info + 8));
        if (width <= 0) return Fail("damaged", kFileHeaderSize + 4);
        if (height == 0 || height == INT32_MIN) return Fail("damaged", kFileHeaderSize + 8);
        // A negative height marks rows stored from the top down.
        l.topDown = height < 0;
        l.width = static_cast<uint32_t>(width);
        l.height = static_cast<uint32_t>(l.topDown ? -height : height);
        l.bits = files::ReadLe16(info + 14);
        l.compression = files::ReadLe32(info + 16);
        // Headers that claim less than the basic 40 bytes, or more than the room before the
        // pixels, are taken as the basic one.
        paletteStart = kFileHeaderSize + kInfoHeaderSize;
        if (infoSize > kInfoHeaderSize && kFileHeaderSize + infoSize <= pixelOffset_)
            paletteStart = kFileHeaderSize + infoSize;
        if (l.compression == kBitFields) {
            // The masks close the longer headers, or follow the basic one.
            if (size_ < kFileHeaderSize + kInfoHeaderSize + 12) return Fail("cut short", size_);
            l.red = ChannelOf(files::ReadLe32(info + 40));
            l.green = ChannelOf(files::ReadLe32(info + 44));
            l.blue = ChannelOf(files::ReadLe32(info + 48));
            if (paletteStart == kFileHeaderSize + kInfoHeaderSize) paletteStart += 12;
        }
        const uint32_t coloursUsed = files::ReadLe32(info + 32);
        if (l.bits <= 8 && coloursUsed != 0)
            l.paletteEntries = std::min<size_t>(coloursUsed, size_t{1} << l.bits);
    }
    if (l.width == 0 || l.width > kMaxSide) return Fail("damaged", kFileHeaderSize + 4);
    if (l.height == 0 || l.height > kMaxSide) return Fail("damaged", kFileHeaderSize + 8);
    if (pixelOffset_ < paletteStart || pixelOffset_ > size_) return Fail("damaged", 10);

    const bool paletted = l.bits == 1 || l.bits == 4 || l.bits == 8;
    const bool supported =
        (l.compression == kRgb && (paletted || l.bits == 16 || l.bits == 24 || l.bits == 32)) ||
        (l.compression == kRle8 && l.bits == 8) || (l.compression == kRle4 && l.bits == 4) ||
        (l.compression == kBitFields && (l.bits == 16 || l.bits == 32));
    // Run-length pictures are always stored bottom-up.
    const bool runLengths = l.compression == kRle8 || l.compression == kRle4;
    if (!supported || (l.topDown && runLengths)) return Unsupported();
    if (runLengths && uint64_t{l.width} * l.height > kMaxRunLengthPixels)
        return Fail("damaged", kFileHeaderSize + 4);
    if (paletted) {
        // Entries beyond the room before the pixels, or beyond what the picture declares, do
        // not exist: indices that name them read as black.
        const size_t room = (pixelOffset_ - paletteStart) / l.paletteEntrySize;
        const size_t declared = l.paletteEntries ? l.paletteEntries : size_t{1} << l.bits;
        l.paletteEntries = std::min(room, declared);
        l.palette = data_ + paletteStart;
    }
    if (l.compression == kRgb && l.bits == 16) {
        l.red = ChannelOf(0x7C00);
        l.green = ChannelOf(0x03E0);
        l.blue = ChannelOf(0x001F);
    }
    if (l.compression == kRgb && l.bits == 32) {
        l.red = ChannelOf(0xFF0000);
        l.green = ChannelOf(0x00FF00);
        l.blue = ChannelOf(0x0000FF);
    }
    return true;
}

// Palette index `index` at column x of the row stored fileRow-th in the file.
void BmpDecoder::SetIndex(gfx2d::DecodedImage& image, uint32_t x, uint32_t fileRow,
                          unsigned index) const {
    const BmpLayout& l = layout_;
    const uint32_t row = l.topDown ? fileRow : l.height - 1 - fileRow;
    uint8_t* out = image.pixels.data() + (static_cast<size_t>(row) * l.width + x) * 4;
    if (index < l.paletteEntries) {
        const uint8_t* entry = l.palette + index * l.paletteEntrySize;
        out[0] = entry[2];
        out[1] = entry[1];
        out[2] = entry[0];
    } else {
        out[0] = out[1] = out[2] = 0;
    }
}

void BmpDecoder::ReadUncompressed(gfx2d::DecodedImage& image) const {
    const BmpLayout& l = layout_;
    const uint64_t stride = RowStride(l);
    for (uint32_t fileRow = 0; fileRow < l.height; ++fileRow) {
        const uint8_t* in = data_ + pixelOffset_ + stride * fileRow;
        const uint32_t row = l.topDown ? fileRow : l.height - 1 - fileRow;
        uint8_t* out = image.pixels.data() + static_cast<size_t>(row) * l.width * 4;
        for (uint32_t x = 0; x < l.width; ++x, out += 4) {
            switch (l.bits) {
            case 1:
            case 4:
            case 8: {
                // The leftmost pixel sits in the highest bits of its byte.
                const uint64_t bit = static_cast<uint64_t>(x) * l.bits;
                const int shift = 8 - l.bits - static_cast<int>(bit % 8);
                SetIndex(image, x, fileRow, (in[bit / 8] >> shift) & ((1u << l.bits) - 1));
                break;
            }
            case 24:
                out[0] = in[x * 3 + 2];
                out[1] = in[x * 3 + 1];
                out[2] = in[x * 3];
                break;
            default: {
                const uint32_t pixel = l.bits == 16
                                           ? files::ReadLe16(in + x * 2)
                                           : files::ReadLe32(in + static_cast<size_t>(x) * 4);
                out[0] = Scale(l.red, pixel);
                out[1] = Scale(l.green, pixel);
                out[2] = Scale(l.blue, pixel);
            }
            }
        }
    }
}

// Run-length data, 8 or 4 bits per index: pairs of (count, value), where a count of 0 starts an
// escape: 0 ends the row, 1 ends the picture, 2 moves right and up by the next two bytes, and
// 3..255 is that many literal indices, padded to a 16-bit boundary. Pixels the data skips keep
// palette entry 0. Runs beyond the row's end are cut there.
bool BmpDecoder::ReadRunLengths(gfx2d::DecodedImage& image) const {
    const BmpLayout& l = layout_;
    for (uint32_t row = 0; row < l.height; ++row)
        for (uint32_t x = 0; x < l.width; ++x)
            SetIndex(image, x, row, 0);
    const bool fourBits = l.bits == 4;
    const uint8_t* in = data_ + pixelOffset_;
    const size_t count = size_ - pixelOffset_;
    size_t at = 0;
    uint32_t x = 0, row = 0;
    auto put = [&](unsigned index) {
        if (x < l.width && row < l.height) SetIndex(image, x, row, index);
        ++x;
    };
    while (row < l.height) {
        if (count - at < 2) return false;
        const uint8_t first = in[at], second = in[at + 1];
        at += 2;
        if (first > 0) {
            for (unsigned i = 0; i < first; ++i)
                put(fourBits ? (i % 2 ? second & 0xF : second >> 4) : second);
        } else if (second == 0) {
            x = 0;
            ++row;
        } else if (second == 1) {
            return true;
        } else if (second == 2) {
            if (count - at < 2) return false;
            x += in[at];
            row += in[at + 1];
            at += 2;
        } else {
            const size_t bytes = fourBits ? (second + 1u) / 2 : second;
            const size_t padded = bytes + (bytes & 1);
            if (count - at < bytes) return false;
            for (unsigned i = 0; i < second; ++i)
                put(fourBits ? (i % 2 ? in[at + i / 2] & 0xF : in[at + i / 2] >> 4) : in[at + i]);
            at += std::min(padded, count - at);
        }
    }
    return true;
}

bool BmpDecoder::Decode(int64_t colourKey, gfx2d::DecodedImage& image) {
    if (!ReadHeaders()) return false;
    const BmpLayout& l = layout_;
    image.width = static_cast<int>(l.width);
    image.height = static_cast<int>(l.height);
    const bool runLengths = l.compression == kRle8 || l.compression == kRle4;
    // Uncompressed pixels must all be in the file before their memory is taken.
    if (!runLengths && RowStride(l) * l.height > size_ - pixelOffset_)
        return Fail("cut short", size_);
    image.pixels.assign(static_cast<size_t>(l.width) * l.height * 4, 0);
    if (!runLengths)
        ReadUncompressed(image);
    else if (!ReadRunLengths(image))
        return Fail("cut short", size_);
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
        uint8_t* out = image.pixels.data() + i;
        out[3] = 255;
        const int64_t colour = out[0] + out[1] * 256 + out[2] * 65536;
        if (colourKey != gfx2d::kNoColourKey && colour == colourKey) std::memset(out, 0, 4);
    }
    return true;
}

} // namespace

bool gfx2d::DecodeBmp(const uint8_t* data, size_t size, int64_t colourKey,
                      gfx2d::DecodedImage& image, std::string* why) {
    image = gfx2d::DecodedImage{};
    if (!data || size < 2 || data[0] != 'B' || data[1] != 'M') {
        if (why) *why = "not a picture";
        return false;
    }
    bool ok = false;
    try {
        ok = BmpDecoder(data, size, why).Decode(colourKey, image);
    } catch (const std::bad_alloc&) {
        if (why) *why = "too large";
    }
    if (!ok) image = gfx2d::DecodedImage{};
    return ok;
}
