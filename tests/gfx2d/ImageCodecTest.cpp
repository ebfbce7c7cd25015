// The image readers on bytes in memory, without a GL context: every layout they accept and the
// reason they give for every file they refuse.

#include <png.h>

#include <tuple>

#include "TestImages.h"

using namespace std::string_literals;

TEST(BmpReader, RejectsFilesItCannotReadSafelyAndSaysWhy) {
    // 54 + 4 rows of 12 bytes
    const std::vector<uint8_t> good = MakeBmp(4, 4, 24, [](int x, int y) { return Rgb(x, y, 9); });
    // The good file with little-endian words put at byte offsets.
    auto patched = [&](std::initializer_list<std::pair<size_t, uint32_t>> words) {
        std::vector<uint8_t> bytes = good;
        for (const auto& [at, value] : words)
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = (value >> (8 * i)) & 0xFF;
        return bytes;
    };
    const std::vector<uint32_t> two = {0, Rgb(1, 2, 3)};
    const std::pair<std::vector<uint8_t>, std::string> rows[] = {
        {{good.begin(), good.begin() + 30}, "cut short at byte 30"},
        {{good.begin(), good.end() - 1}, "cut short at byte 101"},
        {patched({{0, 0x00664D58}}), "not a picture"},        // "XM", the size 102 kept
        {patched({{10, 20}}), "damaged at byte 10"},          // pixels inside the headers
        {patched({{10, 0xFFFFFFF0u}}), "damaged at byte 10"}, // pixels beyond the file
        {patched({{18, 0}}), "damaged at byte 18"},
        {patched({{22, 0}}), "damaged at byte 22"},
        {patched({{22, 0x80000000u}}), "damaged at byte 22"},
        {patched({{18, 0x7FFFFFFF}, {22, 0x7FFFFFFF}}), "damaged at byte 18"},
        {patched({{18, 16000}, {22, 16000}}), "cut short at byte 102"}, // rows beyond the file
        {patched({{28, 7}}), "unsupported BMP format (7 bits, compression 0)"},
        {patched({{30, 4}}), "unsupported BMP format (24 bits, compression 4)"}, // JPEG inside
        // Run lengths (from byte 62) that end before the picture does, or stored top-down.
        {MakeBmpOfFormat(40, 3, 2, 8, 1, two, "\x01\x01\0\0\x02"s), "cut short at byte 67"},
        {MakeBmpOfFormat(40, 3, 2, 8, 1, two, "\x01\x01\0\0\0\x05\x01\x01"s),
         "cut short at byte 70"},
        {MakeBmpOfFormat(40, 5000, 5000, 8, 1, two, "\0\x01"s), "damaged at byte 18"},
        {MakeBmpOfFormat(40, 3, -2, 8, 1, two, "\x01\x01\0\x01"s),
         "unsupported BMP format (8 bits, compression 1)"},
    };
    for (const auto& [bytes, why] : rows) {
        gfx2d::DecodedImage out;
        std::string reason;
        EXPECT_FALSE(
            gfx2d::DecodeBmp(bytes.data(), bytes.size(), gfx2d::kNoColourKey, out, &reason));
        EXPECT_EQ(reason, why);
    }
}

// One picture stored in every layout, 3 x 2 pixels: red, green, blue on top; blue, black, red
// below (palette indices 1 2 3 and 3 0 1). Rows are bottom-up unless the height is negative.
TEST(BmpReader, ReadsEveryLayout) {
    const uint32_t red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255);
    const std::vector<uint32_t> palette = {0, red, green, blue}, noPalette,
                                picture = {red, green, blue, blue, 0, red};
    const std::string rows24 = "\xFF\0\0\0\0\0\0\0\xFF\0\0\0\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0"s;
    const std::string indices8 = "\x03\0\x01\0\x01\x02\x03\0"s;
    const struct {
        const char* name;
        uint32_t header;
        int height, bits;
        uint32_t compression;
        std::vector<uint32_t> palette;
        std::string pixels;
        std::array<uint32_t, 3> masks;
        std::vector<uint32_t> expected;
    } rows[] = {
        // clang-format off
        {"1 bit", 40, 2, 1, 0, {0, red}, "\x60\0\0\0\xA0\0\0\0"s, {}, {red, 0, red, 0, red, red}},
        {"4 bits", 40, 2, 4, 0, palette, "\x30\x10\0\0\x12\x30\0\0"s, {}, {}},
        {"8 bits", 40, 2, 8, 0, palette, indices8, {}, {}},
        // Indices beyond the palette read as black.
        {"8 bits, palette without blue", 40, 2, 8, 0, {0, red, green}, indices8, {},
         {red, green, 0, 0, 0, red}},
        {"8 bits, top-down", 40, -2, 8, 0, palette, "\x01\x02\x03\0\x03\0\x01\0"s, {}, {}},
        {"8 bits, V5 header", 124, 2, 8, 0, palette, indices8, {}, {}},
        {"8 bits, OS/2 header", 12, 2, 8, 0, palette, indices8, {}, {}},
        {"24 bits", 40, 2, 24, 0, noPalette, rows24, {}, {}},
        // The fourth byte is not alpha.
        {"32 bits", 40, 2, 32, 0, noPalette,
         "\xFF\0\0\x5A\0\0\0\x5A\0\0\xFF\x5A\0\0\xFF\x5A\0\xFF\0\x5A\xFF\0\0\x5A"s, {}, {}},
        // Runs of 1, end of line; 3 literal indices and a pad byte, end of picture.
        {"RLE8", 40, 2, 8, 1, palette, "\x01\x03\x01\0\x01\x01\0\0\0\x03\x01\x02\x03\0\0\x01"s,
         {}, {}},
        // A run of 2 alternating 3 and 0, a run of 1; 3 literal indices in 2 bytes.
        {"RLE4", 40, 2, 4, 2, palette, "\x02\x30\x01\x10\0\0\0\x03\x12\x30\0\x01"s, {}, {}},
        // One pixel, a move 1 right and 1 up (skipped pixels keep entry 0), a run cut at the
        // right edge.
        {"RLE8, move and cut run", 40, 2, 8, 1, palette, "\x01\x03\0\x02\x01\x01\x05\x02\0\x01"s,
         {}, {0, 0, green, blue, 0, 0}},
        {"16 bits 5-5-5", 40, 2, 16, 0, noPalette, "\x1F\0\0\0\0\x7C\0\0\0\x7C\xE0\x03\x1F\0\0\0"s,
         {}, {}},
        {"16 bits 5-6-5", 40, 2, 16, 3, noPalette, "\x1F\0\0\0\0\xF8\0\0\0\xF8\xE0\x07\x1F\0\0\0"s,
         {0xF800, 0x07E0, 0x001F}, {}},
        {"32 bits, fields R G B X in a V4 header", 108, 2, 32, 3, noPalette,
         "\0\0\xFF\0\0\0\0\0\xFF\0\0\0\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0"s, {0xFF, 0xFF00, 0xFF0000}, {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        const std::vector<uint8_t> file =
            MakeBmpOfFormat(row.header, 3, row.height, row.bits, row.compression, row.palette,
                            row.pixels, row.masks);
        gfx2d::DecodedImage image;
        std::string why;
        ASSERT_TRUE(gfx2d::DecodeBmp(file.data(), file.size(), gfx2d::kNoColourKey, image, &why))
            << row.name << ": " << why;
        std::vector<uint32_t> expected = row.expected.empty() ? picture : row.expected;
        for (uint32_t& colour : expected)
            colour |= kOpaque;
        EXPECT_EQ(image.width, 3) << row.name;
        EXPECT_EQ(Pixels(image), expected) << row.name;
    }
}

// Every colour type and depth libpng writes, each with a white pixel (every sample bit set) at
// the top left and black ones (every bit clear), which are transparent where the format has
// alpha or a transparency chunk names them. Grey with alpha comes out as RGB with alpha.
TEST(PngReader, ReadsEveryColourTypeAndDepth) {
    const std::tuple<int, int, std::vector<int>> types[] = {
        {PNG_COLOR_TYPE_GRAY, 1, {1, 2, 4, 8, 16}},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 2, {8, 16}},
        {PNG_COLOR_TYPE_RGB, 3, {8, 16}},
        {PNG_COLOR_TYPE_RGB_ALPHA, 4, {8, 16}},
        {PNG_COLOR_TYPE_PALETTE, 1, {1, 2, 4, 8}}};
    for (const auto& [type, channels, depths] : types)
        for (int depth : depths)
            for (bool transparency : {false, (type & PNG_COLOR_MASK_ALPHA) == 0}) {
                PngFormat format{type, depth, transparency && depth == 8, {}, transparency};
                if (type == PNG_COLOR_TYPE_PALETTE) {
                    format.palette.assign(size_t{1} << depth, 0);
                    format.palette.back() = Rgb(255, 255, 255);
                    format.paletteAlpha = {0};
                }
                const int bits = channels * depth;
                std::vector<uint8_t> row((2 * bits + 7) / 8, 0);
                for (int bit = 0; bit < bits; ++bit)
                    row[bit / 8] |= 0x80 >> (bit % 8);
                const std::vector<uint8_t> file =
                    MakePngOfFormat(format, 2, {row, std::vector<uint8_t>(row.size(), 0)});
                const std::string name = std::to_string(type) + "/" + std::to_string(depth) +
                                         (transparency ? " with tRNS" : "");
                gfx2d::DecodedImage image;
                ASSERT_TRUE(
                    gfx2d::DecodePng(file.data(), file.size(), gfx2d::kNoColourKey, name, image))
                    << name;
                const uint32_t black = transparency || (type & PNG_COLOR_MASK_ALPHA) ? 0 : kOpaque;
                EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{~0u, black, black, black})) << name;
            }
}
