// The image readers and writers on bytes in memory and real files, without a GL context.
#include <gtest/gtest.h>

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

TEST(BmpReader, RejectsFilesItCannotReadSafely) {
    const std::vector<uint8_t> good = MakeBmp(4, 4, 24, Pattern);
    DecodedImage image;
    ASSERT_TRUE(Decode(good, image));

    auto rejects = [&](std::vector<uint8_t> bytes, const char* why) {
        DecodedImage out;
        EXPECT_FALSE(Decode(bytes, out)) << why;
        EXPECT_TRUE(out.pixels.empty()) << why;
    };
    rejects(std::vector<uint8_t>(good.begin(), good.begin() + 30), "header cut short");
    rejects(std::vector<uint8_t>(good.begin(), good.end() - 1), "pixel block cut short");
    std::vector<uint8_t> bytes = good;
    bytes[0] = 'X';
    rejects(bytes, "wrong magic");
    bytes = good;
    PutU32At(bytes, 10, 20);
    rejects(bytes, "pixel offset inside the headers");
    bytes = good;
    PutU32At(bytes, 10, 0xFFFFFFF0u);
    rejects(bytes, "pixel offset beyond the file");
    bytes = good;
    PutU32At(bytes, 18, 0);
    rejects(bytes, "width 0");
    bytes = good;
    PutU32At(bytes, 22, 0);
    rejects(bytes, "height 0");
    bytes = good;
    PutU32At(bytes, 18, static_cast<uint32_t>(-4));
    rejects(bytes, "negative width");
    bytes = good;
    PutU32At(bytes, 22, 0x80000000u);
    rejects(bytes, "most negative height");
    bytes = good;
    PutU32At(bytes, 18, 0x7FFFFFFF);
    PutU32At(bytes, 22, 0x7FFFFFFF);
    rejects(bytes, "rows times height beyond the file");
    bytes = good;
    bytes[28] = 16;
    rejects(bytes, "16 bits per pixel");
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
    TempDir folder;
    SavedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.transparencyColour = 0x000000; // black is the key here
    // Bottom row first: red, green, black / blue, white, grey.
    picture.bgrBottomUp = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 9, 9, 9};

    ASSERT_TRUE(WriteBmpFile(folder.File("a.bmp"), picture));
    DecodedImage bmp;
    ASSERT_TRUE(DecodeImageFile(folder.File("a.bmp"), kNoColourKey, bmp));
    ASSERT_EQ(bmp.width, 3);
    EXPECT_EQ(Colour(bmp, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(bmp, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(Colour(bmp, 2, 0), Rgb(9, 9, 9));
    EXPECT_EQ(Colour(bmp, 2, 1), 0x8000FFu); // keyed pixels are saved in the default key colour

    ASSERT_TRUE(WritePngFile(folder.File("a.png"), picture));
    DecodedImage png;
    ASSERT_TRUE(DecodeImageFile(folder.File("a.png"), kNoColourKey, png));
    EXPECT_EQ(Colour(png, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(Colour(png, 1, 0), Rgb(255, 255, 255));
    EXPECT_EQ(Alpha(png, 2, 1), 0);
    EXPECT_EQ(Alpha(png, 1, 1), 255);

    EXPECT_FALSE(WriteBmpFile(folder.File("missing/a.bmp"), picture));
    EXPECT_FALSE(WritePngFile(folder.File("missing/a.png"), picture));
    EXPECT_FALSE(WriteBmpFile("/dev/full", picture));
    EXPECT_FALSE(WritePngFile("/dev/full", picture));
}
