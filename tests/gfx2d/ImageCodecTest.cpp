// The image readers and writers on bytes in memory and real files, without a GL context.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstring>

#include "TestImages.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/TexturePixels.h"

namespace {

uint32_t Colour(const DecodedImage& image, int x, int y) {
    const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
    return p[0] + p[1] * 256u + p[2] * 65536u;
}
int Alpha(const DecodedImage& image, int x, int y) {
    return image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
}

// Every pixel differs, so a skewed row or a flipped picture shows.
uint32_t Pattern(int x, int y) {
    return Rgb(10 + x * 20, 30 + y * 40, 7 * x + 11 * y);
}

bool Decode(const std::vector<uint8_t>& bytes, DecodedImage& image, int64_t key = kNoColourKey) {
    return DecodeBmp(bytes.data(), bytes.size(), key, image);
}

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (v >> (8 * i)) & 0xFF;
}

} // namespace

TEST(BmpReader, ReadsOddWidthsOfEveryDepthWithoutSkew) {
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            DecodedImage image;
            ASSERT_TRUE(Decode(MakeBmp(5, 3, bits, Pattern, topDown), image)) << bits;
            ASSERT_EQ(image.width, 5);
            ASSERT_EQ(image.height, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) {
                    EXPECT_EQ(Colour(image, x, y), Pattern(x, y)) << bits << " " << x << "," << y;
                    EXPECT_EQ(Alpha(image, x, y), 255);
                }
        }
    }
}

TEST(BmpReader, ReadsPalettesAndTurnsIndicesBeyondThemBlack) {
    const std::vector<uint32_t> palette = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(1, 2, 3)};
    DecodedImage image;
    ASSERT_TRUE(Decode(MakePaletteBmp(3, 2, palette, [](int x, int y) { return y == 0 ? x : 200; }),
                       image));
    EXPECT_EQ(Colour(image, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(image, 1, 0), Rgb(0, 255, 0));
    EXPECT_EQ(Colour(image, 2, 0), Rgb(1, 2, 3));
    EXPECT_EQ(Colour(image, 1, 1), 0u);
    EXPECT_EQ(Alpha(image, 1, 1), 255);
}

TEST(BmpReader, KeysTheTransparencyColour) {
    const uint32_t key = 0x8000FF;
    DecodedImage image;
    ASSERT_TRUE(Decode(MakeBmp(2, 1, 24, [](int x, int) { return x ? 0x8000FFu : 0x123456u; }),
                       image, key));
    EXPECT_EQ(Colour(image, 0, 0), 0x123456u);
    EXPECT_EQ(Alpha(image, 0, 0), 255);
    EXPECT_EQ(Colour(image, 1, 0), 0u);
    EXPECT_EQ(Alpha(image, 1, 0), 0);
}

TEST(BmpReader, RejectsFilesItCannotReadSafelyAndSaysWhy) {
    const std::vector<uint8_t> good = MakeBmp(4, 4, 24, Pattern); // 54 + 4 rows of 12 bytes
    DecodedImage image;
    ASSERT_TRUE(Decode(good, image));

    auto rejects = [&](std::vector<uint8_t> bytes, const std::string& why) {
        DecodedImage out;
        std::string reason;
        EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), kNoColourKey, out, &reason)) << why;
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
}

// Hand-made files of every layout, 3 x 2 pixels, each with its expected pixels: the top row
// from the left, then the bottom row.
TEST(BmpReader, ReadsEveryLayout) {
    const uint32_t p0 = Rgb(10, 20, 30), p1 = Rgb(200, 0, 0), p2 = Rgb(0, 200, 0),
                   p3 = Rgb(0, 0, 200), white = Rgb(255, 255, 255);
    const std::vector<uint32_t> palette = {p0, p1, p2, p3};
    auto format = [&](uint32_t header, int height, int bits, uint32_t compression,
                      std::vector<uint32_t> colours, std::vector<uint32_t> masks = {0, 0, 0}) {
        BmpFormat f;
        f.headerSize = header;
        f.width = 3;
        f.height = height;
        f.bits = bits;
        f.compression = compression;
        std::copy(masks.begin(), masks.end(), f.masks);
        f.palette = colours;
        return f;
    };
    const uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
    const std::vector<uint32_t> usual = {p1, p2, p3, p3, p0, p1};
    const struct {
        const char* name;
        BmpFormat format;
        std::vector<uint8_t> pixels; // bottom row first unless top-down
        std::vector<uint32_t> expected;
    } rows[] = {
        {"1 bit",
         format(40, 2, 1, kRgb, {p0, p1}),
         {0x60, 0, 0, 0, 0xA0, 0, 0, 0},
         {p1, p0, p1, p0, p1, p1}},
        {"4 bits", format(40, 2, 4, kRgb, palette), {0x30, 0x10, 0, 0, 0x12, 0x30, 0, 0}, usual},
        {"8 bits", format(40, 2, 8, kRgb, palette), {3, 0, 1, 0, 1, 2, 3, 0}, usual},
        {"8 bits, V4 header", format(108, 2, 8, kRgb, palette), {3, 0, 1, 0, 1, 2, 3, 0}, usual},
        {"8 bits, top-down", format(40, -2, 8, kRgb, palette), {1, 2, 3, 0, 3, 0, 1, 0}, usual},
        {"OS/2 header, 8 bits", format(12, 2, 8, kRgb, palette), {3, 0, 1, 0, 1, 2, 3, 0}, usual},
        {"OS/2 header, 24 bits",
         format(12, 2, 24, kRgb, {}),
         {200, 0, 0, 30, 20, 10, 0, 0, 200, 0, 0, 0, 0, 0, 200, 0, 200, 0, 200, 0, 0, 0, 0, 0},
         usual},
        // A run of 3, a run of 0, a run of 1, end of line; 3 literal indices (padded), end.
        {"RLE8",
         format(40, 2, 8, kRle8, palette),
         {1, 3, 1, 0, 1, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1},
         usual},
        // One pixel, then a move 1 right and 1 up; skipped pixels keep entry 0.
        {"RLE8 with a delta",
         format(40, 2, 8, kRle8, palette),
         {1, 3, 0, 2, 1, 1, 1, 2, 0, 1},
         {p0, p0, p2, p3, p0, p0}},
        // Runs and moves beyond the picture are cut at its edges.
        {"RLE8 beyond the edges",
         format(40, 2, 8, kRle8, palette),
         {10, 1, 0, 2, 200, 200, 5, 2, 0, 1},
         {p0, p0, p0, p1, p1, p1}},
        // A run of 3 alternating 3 and 0, end of line; 3 literal indices in 2 bytes, end.
        {"RLE4",
         format(40, 2, 4, kRle4, palette),
         {3, 0x30, 0, 0, 0, 3, 0x12, 0x30, 0, 1},
         {p1, p2, p3, p3, p0, p3}},
        // 5 bits per channel: 16 is 16 * 255 / 31 = 131.6, so 132; 1, 2, 3 give 8, 16, 25.
        {"16 bits",
         format(40, 2, 16, kRgb, {}),
         {0xFF, 0x7F, 0, 0, 0x43, 0x04, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x10, 0x00, 0, 0},
         {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 132), white, 0, Rgb(8, 16, 25)}},
        // 6 bits of green: 1 is 255 / 63 = 4.05, so 4.
        {"16 bits 5-6-5",
         format(40, 2, 16, kBitFields, {}, {0xF800, 0x07E0, 0x001F}),
         {0xFF, 0xFF, 0, 0, 0x1F, 0, 0, 0, 0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0, 0},
         {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 4, 0), white, 0, Rgb(0, 0, 255)}},
        {"16 bits 5-6-5 with a palette",
         format(40, 2, 16, kBitFields, palette, {0xF800, 0x07E0, 0x001F}),
         {0xFF, 0xFF, 0, 0, 0x1F, 0, 0, 0, 0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0, 0},
         {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 4, 0), white, 0, Rgb(0, 0, 255)}},
        // Red in the lowest byte, as R, G, B, X in the file.
        {"32 bits, bit fields in a V5 header",
         format(124, 2, 32, kBitFields, {}, {0xFF, 0xFF00, 0xFF0000}),
         {0, 0, 200, 0, 10, 20, 30, 0, 200, 0, 0, 0, 200, 0, 0, 0, 0, 200, 0, 0, 0, 0, 200, 0},
         usual},
        // 10 bits per channel: 512 is 512 * 255 / 1023 = 127.6, so 128.
        {"32 bits 10-10-10",
         format(40, 2, 32, kBitFields, {}, {0x3FF00000, 0xFFC00, 0x3FF}),
         {0, 0xFC, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 0, 0, 0, 0xFF, 3, 0, 0},
         {Rgb(255, 128, 0), 0, Rgb(0, 0, 255), Rgb(0, 255, 0), 0, 0}},
    };
    for (const auto& row : rows) {
        DecodedImage image;
        std::string why;
        const std::vector<uint8_t> file = MakeBmpOfFormat(row.format, row.pixels);
        ASSERT_TRUE(DecodeBmp(file.data(), file.size(), kNoColourKey, image, &why))
            << row.name << ": " << why;
        ASSERT_EQ(image.width, 3) << row.name;
        ASSERT_EQ(image.height, 2) << row.name;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Colour(image, i % 3, i / 3), row.expected[i]) << row.name << " pixel " << i;
            EXPECT_EQ(Alpha(image, i % 3, i / 3), 255) << row.name;
        }
    }
}

// Run-length data that ends before the picture is whole, or run-length pictures stored from
// the top, are refused.
TEST(BmpReader, RejectsBrokenRunLengths) {
    const std::vector<uint32_t> palette = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    BmpFormat f;
    f.width = 3;
    f.height = 2;
    f.compression = 1;
    f.palette = palette;
    const struct {
        int height;
        std::vector<uint8_t> pixels;
        const char* why;
    } rows[] = {
        {2, {1, 1, 0, 0, 2}, "cut short at byte 67"},          // the second row is missing
        {2, {1, 1, 0, 2, 1}, "cut short at byte 67"},          // a move without its offsets
        {2, {1, 1, 0, 0, 0, 5, 1, 1}, "cut short at byte 70"}, // 5 literal bytes, 2 there
        {-2, {1, 1, 0, 1}, "unsupported BMP format (8 bits, compression 1)"},
    };
    for (const auto& row : rows) {
        f.height = row.height;
        const std::vector<uint8_t> file = MakeBmpOfFormat(f, row.pixels);
        DecodedImage image;
        std::string why;
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), kNoColourKey, image, &why)) << row.why;
        EXPECT_EQ(why, row.why);
        EXPECT_TRUE(image.pixels.empty());
    }
}

// Every colour type and depth libpng writes loads; grey with alpha (stored, or from a
// transparency chunk) comes out as RGB with alpha. Two pixels each, 16-bit samples keep their
// high byte.
TEST(PngReader, ReadsEveryColourTypeAndDepth) {
    auto png = [](int type, int depth, std::vector<uint8_t> samples) {
        PngFormat format;
        format.colourType = type;
        format.depth = depth;
        return std::make_pair(format, std::vector<std::vector<uint8_t>>{samples});
    };
    const uint32_t grey = PNG_COLOR_TYPE_GRAY, greyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA,
                   rgb = PNG_COLOR_TYPE_RGB, rgba = PNG_COLOR_TYPE_RGB_ALPHA,
                   indexed = PNG_COLOR_TYPE_PALETTE;
    struct Row {
        const char* name;
        std::pair<PngFormat, std::vector<std::vector<uint8_t>>> file;
        uint32_t colour[2];
        int alpha[2];
    };
    std::vector<Row> rows = {
        {"grey 1", png(grey, 1, {0x80}), {Rgb(255, 255, 255), 0}, {255, 255}},
        {"grey 2", png(grey, 2, {0xD0}), {Rgb(255, 255, 255), Rgb(85, 85, 85)}, {255, 255}},
        {"grey 4", png(grey, 4, {0xF5}), {Rgb(255, 255, 255), Rgb(85, 85, 85)}, {255, 255}},
        {"grey 8", png(grey, 8, {200, 7}), {Rgb(200, 200, 200), Rgb(7, 7, 7)}, {255, 255}},
        {"grey 16",
         png(grey, 16, {200, 0, 7, 0x11}),
         {Rgb(200, 200, 200), Rgb(7, 7, 7)},
         {255, 255}},
        {"grey alpha 8",
         png(greyAlpha, 8, {200, 255, 7, 128}),
         {Rgb(200, 200, 200), Rgb(7, 7, 7)},
         {255, 128}},
        {"grey alpha 16",
         png(greyAlpha, 16, {200, 0, 255, 255, 7, 0x11, 128, 0}),
         {Rgb(200, 200, 200), Rgb(7, 7, 7)},
         {255, 128}},
        {"rgb 8",
         png(rgb, 8, {1, 2, 3, 250, 251, 252}),
         {Rgb(1, 2, 3), Rgb(250, 251, 252)},
         {255, 255}},
        {"rgb 16",
         png(rgb, 16, {1, 0, 2, 0, 3, 0, 250, 9, 251, 9, 252, 9}),
         {Rgb(1, 2, 3), Rgb(250, 251, 252)},
         {255, 255}},
        {"rgba 8",
         png(rgba, 8, {1, 2, 3, 4, 5, 6, 7, 255}),
         {Rgb(1, 2, 3), Rgb(5, 6, 7)},
         {4, 255}},
        {"rgba 16",
         png(rgba, 16, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 255, 255}),
         {Rgb(1, 2, 3), Rgb(5, 6, 7)},
         {4, 255}},
    };
    for (int depth : {1, 2, 4, 8}) {
        // Index 1 then index 0.
        const uint8_t packed = depth == 8 ? 1 : static_cast<uint8_t>(1 << (8 - depth));
        Row row{"palette",
                png(indexed, depth, {packed, 0}),
                {Rgb(100, 110, 120), Rgb(9, 8, 7)},
                {255, 255}};
        if (depth < 8) row.file.second[0].resize(1);
        row.file.first.palette = {Rgb(9, 8, 7), Rgb(100, 110, 120)};
        rows.push_back(row);
    }
    Row row = rows[3]; // grey 8 with 7 transparent
    row.name = "grey 8 with tRNS";
    row.file.first.transparentColour = {7};
    row.alpha[1] = 0;
    rows.push_back(row);
    row = rows[4]; // grey 16 with 7, 0x11 transparent
    row.name = "grey 16 with tRNS";
    row.file.first.transparentColour = {0x0711};
    row.alpha[1] = 0;
    rows.push_back(row);
    row = rows[1]; // grey 2 with 1 transparent
    row.name = "grey 2 with tRNS";
    row.file.first.transparentColour = {1};
    row.alpha[1] = 0;
    rows.push_back(row);
    row = rows[5];
    row.name = "grey alpha 8, interlaced";
    row.file.first.interlaced = true;
    rows.push_back(row);
    row = rows[7];
    row.name = "rgb 8 with tRNS";
    row.file.first.transparentColour = {250, 251, 252};
    row.alpha[1] = 0;
    rows.push_back(row);
    row = rows[14];
    row.name = "palette 8 with alphas";
    row.file.first.paletteAlpha = {0x40};
    row.alpha[1] = 0x40;
    rows.push_back(row);

    for (const Row& r : rows) {
        const std::vector<uint8_t> file = MakePngOfFormat(r.file.first, 2, r.file.second);
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodePng(file.data(), file.size(), kNoColourKey, r.name, image, &why))
            << r.name << ": " << why;
        ASSERT_EQ(image.width, 2) << r.name;
        ASSERT_EQ(image.height, 1) << r.name;
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(Colour(image, x, 0), r.colour[x]) << r.name << " pixel " << x;
            EXPECT_EQ(Alpha(image, x, 0), r.alpha[x]) << r.name << " pixel " << x;
        }
    }
}

TEST(PngReader, KeysRgbButNotAlphaOrGrey) {
    const uint32_t key = 0x8000FF;
    auto colour = [](int x, int) { return x ? 0x8000FFu : 0x00FF00u; };
    DecodedImage image;
    std::vector<uint8_t> rgb = MakePng(2, 1, 3, colour);
    ASSERT_TRUE(DecodePng(rgb.data(), rgb.size(), key, "rgb.png", image));
    EXPECT_EQ(Colour(image, 0, 0), 0x00FF00u);
    EXPECT_EQ(Alpha(image, 1, 0), 0);

    std::vector<uint8_t> rgba = MakePng(2, 1, 4, colour, [](int x, int) { return x ? 255 : 7; });
    ASSERT_TRUE(DecodePng(rgba.data(), rgba.size(), key, "rgba.png", image));
    EXPECT_EQ(Colour(image, 1, 0), 0x8000FFu);
    EXPECT_EQ(Alpha(image, 1, 0), 255);
    EXPECT_EQ(Alpha(image, 0, 0), 7);

    std::vector<uint8_t> grey = MakePng(3, 2, 1, [](int x, int y) { return x * 50u + y; });
    ASSERT_TRUE(DecodePng(grey.data(), grey.size(), 0, "grey.png", image));
    EXPECT_EQ(Colour(image, 2, 1), Rgb(101, 101, 101));
    EXPECT_EQ(Colour(image, 0, 0), 0u);
    EXPECT_EQ(Alpha(image, 0, 0), 255); // black grey pixels are not keyed by key 0
}

TEST(PngReader, ReadsRowsTopDownAndRejectsBrokenFiles) {
    std::vector<uint8_t> png = MakePng(5, 3, 3, Pattern);
    DecodedImage image;
    ASSERT_TRUE(DecodePng(png.data(), png.size(), kNoColourKey, "p.png", image));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Colour(image, x, y), Pattern(x, y));

    std::vector<uint8_t> cut(png.begin(), png.begin() + png.size() / 2);
    EXPECT_FALSE(DecodePng(cut.data(), cut.size(), kNoColourKey, "cut.png", image));
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(DecodePng(png.data(), 4, kNoColourKey, "tiny.png", image));
    std::vector<uint8_t> bmp = MakeBmp(2, 2, 24, Pattern);
    EXPECT_FALSE(DecodePng(bmp.data(), bmp.size(), kNoColourKey, "bmp.png", image));
}

TEST(ImageFiles, PngIsChosenByAPointAndPngInAnyCase) {
    EXPECT_TRUE(NameAsksForPng("x.PnG"));
    EXPECT_TRUE(NameAsksForPng("dir/shot.png"));
    EXPECT_FALSE(NameAsksForPng(".png")); // not longer than 4 characters
    EXPECT_FALSE(NameAsksForPng("x.bmp"));
    EXPECT_FALSE(NameAsksForPng("x"));
    EXPECT_FALSE(NameAsksForPng("xpng"));
    EXPECT_FALSE(NameAsksForPng("x.pngs"));
}

TEST(ImageFiles, SavedPicturesLoadBackWithKeyedPixelsHandled) {
    TempFolder folder;
    SavedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.transparencyColour = 0x000000; // black is the key here
    // Bottom row first: red, green, black / blue, white, grey.
    picture.bgrBottomUp = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 9, 9, 9};

    ASSERT_TRUE(WriteBmpFile(folder.Path("a.bmp"), picture));
    DecodedImage bmp;
    ASSERT_TRUE(DecodeImageFile(folder.Path("a.bmp"), kNoColourKey, bmp));
    ASSERT_EQ(bmp.width, 3);
    EXPECT_EQ(Colour(bmp, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(bmp, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Colour(bmp, 2, 0), Rgb(9, 9, 9));
    EXPECT_EQ(Colour(bmp, 2, 1), 0x8000FFu); // keyed pixels are saved in the default key colour

    ASSERT_TRUE(WritePngFile(folder.Path("a.png"), picture));
    DecodedImage png;
    ASSERT_TRUE(DecodeImageFile(folder.Path("a.png"), kNoColourKey, png));
    EXPECT_EQ(Colour(png, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(png, 1, 0), Rgb(255, 255, 255));
    EXPECT_EQ(Alpha(png, 2, 1), 0);
    EXPECT_EQ(Alpha(png, 1, 1), 255);

    EXPECT_FALSE(WriteBmpFile(folder.Path("missing/a.bmp"), picture));
    EXPECT_FALSE(WritePngFile(folder.Path("missing/a.png"), picture));
    EXPECT_FALSE(WriteBmpFile("/dev/full", picture));
    EXPECT_FALSE(WritePngFile("/dev/full", picture));
}

TEST(TexturePixels, MipLevelsWeighTheTopLeftSample) {
    // 2 x 2 -> 1 x 1 with weights 4, 2, 2, 1 over 9.
    std::vector<uint8_t> rgba = {90, 0, 0, 255, 0, 90, 0, 255, 0, 0, 90, 255, 9, 9, 9, 0};
    int w = 2, h = 2;
    HalveMipLevel(rgba, w, h);
    ASSERT_EQ(w, 1);
    ASSERT_EQ(h, 1);
    EXPECT_EQ(rgba[0], (4 * 90 + 9) / 9);
    EXPECT_EQ(rgba[1], (2 * 90 + 9) / 9);
    EXPECT_EQ(rgba[3], (8 * 255) / 9);
    // 2 x 1 -> 1 x 1 with weights 2 and 1 over 3.
    rgba = {30, 0, 0, 0, 0, 0, 0, 0};
    w = 2, h = 1;
    HalveMipLevel(rgba, w, h);
    EXPECT_EQ(rgba[0], 20);
}

TEST(TexturePixels, BleedingColoursTransparentNeighboursOnly) {
    // 4 x 4, one opaque red pixel at (1, 1).
    std::vector<uint8_t> rgba(4 * 4 * 4, 0);
    uint8_t* red = rgba.data() + (1 * 4 + 1) * 4;
    red[0] = 200;
    red[3] = 255;
    BleedEdges(rgba, 4, 4);
    EXPECT_EQ(rgba[(2 * 4 + 2) * 4], 200);   // diagonal neighbour takes the colour
    EXPECT_EQ(rgba[(2 * 4 + 2) * 4 + 3], 0); // and stays transparent
    EXPECT_EQ(rgba[(3 * 4 + 3) * 4], 0);     // not a neighbour
}

TEST(TexturePixels, BuiltinFontDrawsGlyphsWithOutlines) {
    const DecodedImage font = BuiltinFontPicture();
    ASSERT_EQ(font.width, 128);
    ASSERT_EQ(font.height, 64);
    // 'A' (65): column 1, row 4 of the grid; top row of the glyph lit in cell columns 2..4.
    const int left = 1 * 8, top = 4 * 8;
    EXPECT_EQ(Colour(font, left + 2, top + 1), Rgb(255, 255, 255));
    EXPECT_EQ(Colour(font, left + 4, top + 1), Rgb(255, 255, 255));
    EXPECT_EQ(Colour(font, left + 3, top + 2), Rgb(8, 8, 8)); // the hole of the A is outline
    EXPECT_EQ(Alpha(font, left + 3, top + 2), 255);
    EXPECT_EQ(Colour(font, left + 2, top + 0), Rgb(8, 8, 8)); // above the top bar
    EXPECT_EQ(Alpha(font, left + 7, top + 7), 0);
    // Codes below 32 are empty.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(Alpha(font, x, y), 0);
}

TEST(TexturePixels, PowersOfTwo) {
    EXPECT_EQ(PowerOfTwoAtLeast(1, 2), 2);
    EXPECT_EQ(PowerOfTwoAtLeast(5, 2), 8);
    EXPECT_EQ(PowerOfTwoAtLeast(64, 2), 64);
    EXPECT_EQ(PowerOfTwoAtLeast(40, 32), 64);
    EXPECT_EQ(PowerOfTwoAtLeast(20, 32), 32);
}
