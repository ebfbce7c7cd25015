// The image readers and writers on bytes in memory and real files, without a GL context.
#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <cstring>
#include <string>

#include "TestImages.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/TexturePixels.h"

using namespace std::string_literals;

namespace {

uint32_t Colour(const gfx2d::DecodedImage& image, int x, int y) {
    const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
    return p[0] + p[1] * 256u + p[2] * 65536u;
}
int Alpha(const gfx2d::DecodedImage& image, int x, int y) {
    return image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
}

// Every pixel differs, so a skewed row or a flipped picture shows.
uint32_t Pattern(int x, int y) {
    return Rgb(10 + x * 20, 30 + y * 40, 7 * x + 11 * y);
}

bool Decode(const std::vector<uint8_t>& bytes, gfx2d::DecodedImage& image, int64_t key = gfx2d::kNoColourKey) {
    return gfx2d::DecodeBmp(bytes.data(), bytes.size(), key, image);
}

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (v >> (8 * i)) & 0xFF;
}

} // namespace

TEST(BmpReader, KeysTheTransparencyColour) {
    const uint32_t key = 0x8000FF;
    gfx2d::DecodedImage image;
    ASSERT_TRUE(Decode(MakeBmp(2, 1, 24, [](int x, int) { return x ? 0x8000FFu : 0x123456u; }),
                       image, key));
    EXPECT_EQ(Colour(image, 0, 0), 0x123456u);
    EXPECT_EQ(Alpha(image, 0, 0), 255);
    EXPECT_EQ(Colour(image, 1, 0), 0u);
    EXPECT_EQ(Alpha(image, 1, 0), 0);
}

TEST(BmpReader, RejectsFilesItCannotReadSafelyAndSaysWhy) {
    const std::vector<uint8_t> good = MakeBmp(4, 4, 24, Pattern); // 54 + 4 rows of 12 bytes
    gfx2d::DecodedImage image;
    ASSERT_TRUE(Decode(good, image));

    auto rejects = [&](std::vector<uint8_t> bytes, const std::string& why) {
        gfx2d::DecodedImage out;
        std::string reason;
        EXPECT_FALSE(gfx2d::DecodeBmp(bytes.data(), bytes.size(), gfx2d::kNoColourKey, out, &reason)) << why;
        EXPECT_TRUE(out.pixels.empty()) << why;
        EXPECT_EQ(reason, why);
    };
    rejects(std::vector<uint8_t>(good.begin(), good.begin() + 30), "cut short at byte 30");
    rejects(std::vector<uint8_t>(good.begin(), good.end() - 1), "cut short at byte 101");
    std::vector<uint8_t> bytes = good;
    bytes[0] = 'X';
    rejects(bytes, "not a picture");
    bytes = good;
    PutU32At(bytes, 10, 20);
    rejects(bytes, "damaged at byte 10"); // pixels inside the headers
    bytes = good;
    PutU32At(bytes, 10, 0xFFFFFFF0u);
    rejects(bytes, "damaged at byte 10"); // pixels beyond the file
    bytes = good;
    PutU32At(bytes, 18, 0);
    rejects(bytes, "damaged at byte 18");
    bytes = good;
    PutU32At(bytes, 22, 0);
    rejects(bytes, "damaged at byte 22");
    bytes = good;
    PutU32At(bytes, 18, static_cast<uint32_t>(-4));
    rejects(bytes, "damaged at byte 18");
    bytes = good;
    PutU32At(bytes, 22, 0x80000000u);
    rejects(bytes, "damaged at byte 22");
    bytes = good;
    PutU32At(bytes, 18, 0x7FFFFFFF);
    PutU32At(bytes, 22, 0x7FFFFFFF);
    rejects(bytes, "damaged at byte 18");
    bytes = good;
    PutU32At(bytes, 18, 16000);
    PutU32At(bytes, 22, 16000);
    rejects(bytes, "cut short at byte 102"); // rows times height beyond the file
    bytes = good;
    bytes[28] = 7;
    rejects(bytes, "unsupported BMP format (7 bits, compression 0)");
    bytes = good;
    bytes[30] = 4; // JPEG inside
    rejects(bytes, "unsupported BMP format (24 bits, compression 4)");
    // Run lengths (from byte 62) that end before the picture does, or stored top-down.
    const std::vector<uint32_t> two = {0, Rgb(1, 2, 3)};
    rejects(MakeBmpOfFormat(40, 3, 2, 8, 1, two, "\x01\x01\0\0\x02"s), "cut short at byte 67");
    rejects(MakeBmpOfFormat(40, 3, 2, 8, 1, two, "\x01\x01\0\0\0\x05\x01\x01"s),
            "cut short at byte 70");
    rejects(MakeBmpOfFormat(40, 5000, 5000, 8, 1, two, "\0\x01"s), "damaged at byte 18");
    rejects(MakeBmpOfFormat(40, 3, -2, 8, 1, two, "\x01\x01\0\x01"s),
            "unsupported BMP format (8 bits, compression 1)");
}

// One picture stored in every layout, 3 x 2 pixels: red, green, blue on top; blue, black, red
// below (palette indices 1 2 3 and 3 0 1). Rows are bottom-up unless the height is negative.
TEST(BmpReader, ReadsEveryLayout) {
    const uint32_t red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255);
    const std::vector<uint32_t> palette = {0, red, green, blue};
    const struct {
        const char* name;
        uint32_t header;
        int height, bits;
        uint32_t compression;
        std::vector<uint32_t> palette;
        std::string pixels;
        std::array<uint32_t, 3> masks = {};
        std::vector<uint32_t> expected = {};
    } rows[] = {
        {"1 bit", 40, 2, 1, 0, {0, red}, "\x60\0\0\0\xA0\0\0\0"s, {}, {red, 0, red, 0, red, red}},
        {"4 bits", 40, 2, 4, 0, palette, "\x30\x10\0\0\x12\x30\0\0"s},
        {"8 bits", 40, 2, 8, 0, palette, "\x03\0\x01\0\x01\x02\x03\0"s},
        // Indices beyond the palette read as black.
        {"8 bits, palette without blue",
         40,
         2,
         8,
         0,
         {0, red, green},
         "\x03\0\x01\0\x01\x02\x03\0"s,
         {},
         {red, green, 0, 0, 0, red}},
        {"8 bits, top-down", 40, -2, 8, 0, palette, "\x01\x02\x03\0\x03\0\x01\0"s},
        {"8 bits, V5 header", 124, 2, 8, 0, palette, "\x03\0\x01\0\x01\x02\x03\0"s},
        {"8 bits, OS/2 header", 12, 2, 8, 0, palette, "\x03\0\x01\0\x01\x02\x03\0"s},
        {"24 bits",
         40,
         2,
         24,
         0,
         {},
         "\xFF\0\0\0\0\0\0\0\xFF\0\0\0\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0"s},
        // The fourth byte is not alpha.
        {"32 bits",
         40,
         2,
         32,
         0,
         {},
         "\xFF\0\0\x5A\0\0\0\x5A\0\0\xFF\x5A\0\0\xFF\x5A\0\xFF\0\x5A\xFF\0\0\x5A"s},
        {"24 bits, OS/2 header",
         12,
         2,
         24,
         0,
         {},
         "\xFF\0\0\0\0\0\0\0\xFF\0\0\0\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0"s},
        // Runs of 1, end of line; 3 literal indices and a pad byte, end of picture.
        {"RLE8", 40, 2, 8, 1, palette, "\x01\x03\x01\0\x01\x01\0\0\0\x03\x01\x02\x03\0\0\x01"s},
        // A run of 2 alternating 3 and 0, a run of 1; 3 literal indices in 2 bytes.
        {"RLE4", 40, 2, 4, 2, palette, "\x02\x30\x01\x10\0\0\0\x03\x12\x30\0\x01"s},
        // One pixel, a move 1 right and 1 up (skipped pixels keep entry 0), a run cut at the
        // right edge.
        {"RLE8, move and cut run",
         40,
         2,
         8,
         1,
         palette,
         "\x01\x03\0\x02\x01\x01\x05\x02\0\x01"s,
         {},
         {0, 0, green, blue, 0, 0}},
        {"16 bits 5-5-5", 40, 2, 16, 0, {}, "\x1F\0\0\0\0\x7C\0\0\0\x7C\xE0\x03\x1F\0\0\0"s},
        {"16 bits 5-6-5",
         40,
         2,
         16,
         3,
         {},
         "\x1F\0\0\0\0\xF8\0\0\0\xF8\xE0\x07\x1F\0\0\0"s,
         {0xF800, 0x07E0, 0x001F}},
        {"32 bits, fields R G B X in a V4 header",
         108,
         2,
         32,
         3,
         {},
         "\0\0\xFF\0\0\0\0\0\xFF\0\0\0\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0"s,
         {0xFF, 0xFF00, 0xFF0000}},
    };
    for (const auto& row : rows) {
        const std::vector<uint8_t> file =
            MakeBmpOfFormat(row.header, 3, row.height, row.bits, row.compression, row.palette,
                            row.pixels, row.masks);
        gfx2d::DecodedImage image;
        std::string why;
        ASSERT_TRUE(gfx2d::DecodeBmp(file.data(), file.size(), gfx2d::kNoColourKey, image, &why))
            << row.name << ": " << why;
        ASSERT_EQ(image.width * image.height, 6) << row.name;
        const std::vector<uint32_t> expected =
            row.expected.empty() ? std::vector<uint32_t>{red, green, blue, blue, 0, red}
                                 : row.expected;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Colour(image, i % 3, i / 3), expected[i]) << row.name << " pixel " << i;
            EXPECT_EQ(Alpha(image, i % 3, i / 3), 255) << row.name;
        }
    }
}

// Every colour type and depth libpng writes, each with a white pixel (every sample bit set)
// and a black one (every bit clear), which is transparent where the format has alpha or a
// transparency chunk names it. Grey with alpha comes out as RGB with alpha.
TEST(PngReader, ReadsEveryColourTypeAndDepth) {
    const struct {
        int type, channels;
        std::vector<int> depths;
    } types[] = {{PNG_COLOR_TYPE_GRAY, 1, {1, 2, 4, 8, 16}},
                 {PNG_COLOR_TYPE_GRAY_ALPHA, 2, {8, 16}},
                 {PNG_COLOR_TYPE_RGB, 3, {8, 16}},
                 {PNG_COLOR_TYPE_RGB_ALPHA, 4, {8, 16}},
                 {PNG_COLOR_TYPE_PALETTE, 1, {1, 2, 4, 8}}};
    for (const auto& type : types)
        for (int depth : type.depths)
            for (bool transparency : {false, (type.type & PNG_COLOR_MASK_ALPHA) == 0}) {
                PngFormat format;
                format.colourType = type.type;
                format.depth = depth;
                format.interlaced = transparency && depth == 8;
                format.transparency = transparency;
                if (type.type == PNG_COLOR_TYPE_PALETTE) {
                    format.palette.assign(size_t{1} << depth, 0);
                    format.palette.back() = Rgb(255, 255, 255);
                    format.paletteAlpha = {0};
                }
                const int bits = type.channels * depth;
                std::vector<uint8_t> row((2 * bits + 7) / 8, 0);
                for (int bit = 0; bit < bits; ++bit)
                    row[bit / 8] |= 0x80 >> (bit % 8);
                const std::vector<uint8_t> file = MakePngOfFormat(format, 2, {row});
                const std::string name = std::to_string(type.type) + "/" + std::to_string(depth) +
                                         (transparency ? " with tRNS" : "");
                gfx2d::DecodedImage image;
                ASSERT_TRUE(gfx2d::DecodePng(file.data(), file.size(), gfx2d::kNoColourKey, name, image)) << name;
                EXPECT_EQ(Colour(image, 0, 0), Rgb(255, 255, 255)) << name;
                EXPECT_EQ(Alpha(image, 0, 0), 255) << name;
                EXPECT_EQ(Colour(image, 1, 0), 0u) << name;
                const bool seeThrough = transparency || (type.type & PNG_COLOR_MASK_ALPHA);
                EXPECT_EQ(Alpha(image, 1, 0), seeThrough ? 0 : 255) << name;
            }
}

TEST(PngReader, KeysRgbButNotAlphaOrGrey) {
    const uint32_t key = 0x8000FF;
    auto colour = [](int x, int) { return x ? 0x8000FFu : 0x00FF00u; };
    gfx2d::DecodedImage image;
    std::vector<uint8_t> rgb = MakePng(2, 1, 3, colour);
    ASSERT_TRUE(gfx2d::DecodePng(rgb.data(), rgb.size(), key, "rgb.png", image));
    EXPECT_EQ(Colour(image, 0, 0), 0x00FF00u);
    EXPECT_EQ(Alpha(image, 1, 0), 0);

    std::vector<uint8_t> rgba = MakePng(2, 1, 4, colour, [](int x, int) { return x ? 255 : 7; });
    ASSERT_TRUE(gfx2d::DecodePng(rgba.data(), rgba.size(), key, "rgba.png", image));
    EXPECT_EQ(Colour(image, 1, 0), 0x8000FFu);
    EXPECT_EQ(Alpha(image, 1, 0), 255);
    EXPECT_EQ(Alpha(image, 0, 0), 7);

    std::vector<uint8_t> grey = MakePng(3, 2, 1, [](int x, int y) { return x * 50u + y; });
    ASSERT_TRUE(gfx2d::DecodePng(grey.data(), grey.size(), 0, "grey.png", image));
    EXPECT_EQ(Colour(image, 2, 1), Rgb(101, 101, 101));
    EXPECT_EQ(Colour(image, 0, 0), 0u);
    EXPECT_EQ(Alpha(image, 0, 0), 255); // black grey pixels are not keyed by key 0
}

TEST(PngReader, ReadsRowsTopDownAndRejectsBrokenFiles) {
    std::vector<uint8_t> png = MakePng(5, 3, 3, Pattern);
    gfx2d::DecodedImage image;
    ASSERT_TRUE(gfx2d::DecodePng(png.data(), png.size(), gfx2d::kNoColourKey, "p.png", image));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Colour(image, x, y), Pattern(x, y));

    std::vector<uint8_t> cut(png.begin(), png.begin() + png.size() / 2);
    EXPECT_FALSE(gfx2d::DecodePng(cut.data(), cut.size(), gfx2d::kNoColourKey, "cut.png", image));
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(gfx2d::DecodePng(png.data(), 4, gfx2d::kNoColourKey, "tiny.png", image));
    std::vector<uint8_t> bmp = MakeBmp(2, 2, 24, Pattern);
    EXPECT_FALSE(gfx2d::DecodePng(bmp.data(), bmp.size(), gfx2d::kNoColourKey, "bmp.png", image));
}

TEST(ImageFiles, PngIsChosenByAPointAndPngInAnyCase) {
    EXPECT_TRUE(gfx2d::NameAsksForPng("x.PnG"));
    EXPECT_TRUE(gfx2d::NameAsksForPng("dir/shot.png"));
    EXPECT_FALSE(gfx2d::NameAsksForPng(".png")); // not longer than 4 characters
    EXPECT_FALSE(gfx2d::NameAsksForPng("x.bmp"));
    EXPECT_FALSE(gfx2d::NameAsksForPng("x"));
    EXPECT_FALSE(gfx2d::NameAsksForPng("xpng"));
    EXPECT_FALSE(gfx2d::NameAsksForPng("x.pngs"));
}

TEST(ImageFiles, SavedPicturesLoadBackWithKeyedPixelsHandled) {
    TempDir folder;
    gfx2d::SavedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.transparencyColour = 0x000000; // black is the key here
    // Bottom row first: red, green, black / blue, white, grey.
    picture.bgrBottomUp = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 9, 9, 9};

    ASSERT_TRUE(gfx2d::WriteBmpFile(folder.File("a.bmp"), picture));
    gfx2d::DecodedImage bmp;
    ASSERT_TRUE(gfx2d::DecodeImageFile(folder.File("a.bmp"), gfx2d::kNoColourKey, bmp));
    ASSERT_EQ(bmp.width, 3);
    EXPECT_EQ(Colour(bmp, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(bmp, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Colour(bmp, 2, 0), Rgb(9, 9, 9));
    EXPECT_EQ(Colour(bmp, 2, 1), 0x8000FFu); // keyed pixels are saved in the default key colour

    ASSERT_TRUE(gfx2d::WritePngFile(folder.File("a.png"), picture));
    gfx2d::DecodedImage png;
    ASSERT_TRUE(gfx2d::DecodeImageFile(folder.File("a.png"), gfx2d::kNoColourKey, png));
    EXPECT_EQ(Colour(png, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(png, 1, 0), Rgb(255, 255, 255));
    EXPECT_EQ(Alpha(png, 2, 1), 0);
    EXPECT_EQ(Alpha(png, 1, 1), 255);

    EXPECT_FALSE(gfx2d::WriteBmpFile(folder.File("missing/a.bmp"), picture));
    EXPECT_FALSE(gfx2d::WritePngFile(folder.File("missing/a.png"), picture));
    EXPECT_FALSE(gfx2d::WriteBmpFile("/dev/full", picture));
    EXPECT_FALSE(gfx2d::WritePngFile("/dev/full", picture));
}
