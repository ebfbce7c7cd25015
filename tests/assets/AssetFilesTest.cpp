// The generated files: complete, repeatable, of the sizes and formats the game relies on.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

#include "GeneratedAssets.h"
#include "Screens.h"
#include "gfx2d/ImageCodec.h"
#include "sound/WavReader.h"
#include "support/TempDir.h"

namespace {

constexpr int64_t kBlackKey = 0;

gfx2d::DecodedImage Picture(const std::string& name, int64_t key = gfx2d::kNoColourKey) {
    gfx2d::DecodedImage image;
    EXPECT_TRUE(gfx2d::DecodeImageFile(GeneratedAssets() + "/" + name, key, image)) << name;
    return image;
}

const uint8_t* PixelAt(const gfx2d::DecodedImage& image, int x, int y) {
    return &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
}

bool IsLabelColour(const gfx2d::DecodedImage& image, int x, int y) {
    const uint8_t* p = PixelAt(image, x, y);
    return p[0] == kChoiceLabelColour.r && p[1] == kChoiceLabelColour.g &&
           p[2] == kChoiceLabelColour.b;
}

using AssetFiles = GeneratedAssetsTest;

} // namespace

TEST_F(AssetFiles, TwoRunsGiveTheSameFiles) {
    TempDir second;
    ASSERT_TRUE(RunGenerator(second.Path()));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(second.Path())) {
        if (!entry.is_regular_file()) continue;
        const std::string name = std::filesystem::relative(entry.path(), second.Path()).string();
        EXPECT_TRUE(ReadWholeFile(GeneratedAssets() + "/" + name) == ReadWholeFile(entry.path()))
            << name << " differs";
    }
}

TEST_F(AssetFiles, ScreensPointerAndSkinsHaveTheirSizes) {
    for (const char* name :
         {"bmp/title2.bmp", "bmp/level_x1.bmp", "bmp/options.bmp", "bmp/tag2.bmp"}) {
        const gfx2d::DecodedImage image = Picture(name);
        EXPECT_EQ(std::pair(image.width, image.height), std::pair(800, 600)) << name;
    }
    const gfx2d::DecodedImage pointer = Picture("bmp/curser.bmp");
    EXPECT_LE(std::max(pointer.width, pointer.height), 32);
    // Skins on the objects: powers of two, so texture coordinates 0..1 cover them.
    for (const char* name :
         {"bmp/crab_b_tex.bmp", "bmp/virus.bmp", "bmp/hero_tex.bmp", "bmp/killerstempel2.bmp",
          "bmp/wasser.bmp", "bmp/bodenx2.bmp", "bmp/bodenx2_arrow.bmp", "bmp/shadow.bmp"}) {
        const gfx2d::DecodedImage image = Picture(name);
        EXPECT_EQ(image.width & (image.width - 1), 0) << name;
        EXPECT_EQ(image.height & (image.height - 1), 0) << name;
    }
    // The infected crab is the healthy one's layout in other colours.
    EXPECT_NE(Picture("bmp/crab_b_tex.bmp").pixels, Picture("bmp/virus.bmp").pixels);
}

// Every label has its pixels inside its click area and none lies outside the click areas: a
// click beside a label selects nothing.
TEST_F(AssetFiles, OptionLabelsLieInsideTheirClickAreas) {
    const gfx2d::DecodedImage options = Picture("bmp/options.bmp");
    ASSERT_EQ(options.width, 800);
    std::vector<int> inside(std::size(kOptionChoices));
    for (int y = 0; y < options.height; ++y)
        for (int x = 0; x < options.width; ++x) {
            if (!IsLabelColour(options, x, y)) continue;
            const auto area = std::find_if(
                std::begin(kOptionChoices), std::end(kOptionChoices), [&](const ClickArea& a) {
                    return x >= a.x0 && x <= a.x1 && y >= a.y0 && y <= a.y1;
                });
            ASSERT_NE(area, std::end(kOptionChoices)) << "label pixel at " << x << ", " << y;
            ++inside[area - kOptionChoices];
        }
    for (size_t i = 0; i < inside.size(); ++i)
        EXPECT_GT(inside[i], 20) << kOptionChoices[i].label;
}

// Fonts: a 16 x 8 grid, every printable character drawn, black keyed out around it. Printing
// advances by whole cells: letters must fill theirs, or words read as "P r e s s". Each glyph
// with its outline leaves a margin at both sides of its cell; the lower-case letters span
// nearly three quarters of it on average (DejaVu's own letters, unwidened, span two thirds).
TEST_F(AssetFiles, FontsHoldEveryPrintableGlyphFillingItsCell) {
    const std::tuple<const char*, std::string, int> fonts[] = {
        {"bmp/font1.bmp", "Needed to succeed: 1000", 480},
        {"bmp/font2.bmp", "You rescued 1000 of 1000 crabs", 20},
        {"bmp/font3.bmp", "You rescued 1000 of 1000 crabs", 20},
        {"smalfont.bmp", "Loading...", 0}}; // the longest line printed, and where it starts
    for (const auto& [name, longestLine, lineX] : fonts) {
        const gfx2d::DecodedImage image = Picture(name, kBlackKey);
        const int cellWidth = image.width / 16, cellHeight = image.height / 8;
        EXPECT_LE(lineX + int(longestLine.size()) * cellWidth, 800) << name;
        EXPECT_LE(cellHeight, name == std::string("bmp/font1.bmp") ? 15 : 99)
            << "status lines are 15 pixels apart";
        int spanSum = 0;
        const std::string letters = "abcdeghknopqrsuvxyz";
        for (int c = 33; c <= 126; ++c) {
            int left = cellWidth, right = -1;
            for (int y = 0; y < cellHeight; ++y)
                for (int x = 0; x < cellWidth; ++x)
                    if (PixelAt(image, (c % 16) * cellWidth + x, (c / 16) * cellHeight + y)[3]) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            EXPECT_GE(right, 0) << name << " has no glyph for " << char(c);
            EXPECT_GT(left, 0) << name << ": " << char(c) << " touches the cell's left edge";
            EXPECT_LT(right, cellWidth - 1) << name << ": " << char(c) << " touches the right edge";
            if (letters.find(char(c)) != std::string::npos) spanSum += right - left + 1;
        }
        EXPECT_GE(double(spanSum) / letters.size(), 0.72 * cellWidth) << name;
    }
}

// Every sound is heard (its peak above 8000) and none clips; music lasts long enough to loop
// behind a screen without a gap every few seconds.
TEST_F(AssetFiles, SoundsAreHeardUnclippedAndTheMusicLasts) {
    for (const char* name : {"wav/hero2.wav", "wav/virus.wav", "wav/schnipp1.wav", "wav/killed.wav",
                             "wav/sprunginswasser.wav", "wav/title1.wav"}) {
        std::vector<uint8_t> bytes;
        sound::WavSamples wav;
        ASSERT_TRUE(sound::ReadWavFile(GeneratedAssets() + "/" + name, bytes) &&
                    sound::ParseWav(bytes.data(), bytes.size(), wav) && wav.bitsPerSample == 16)
            << name;
        int peak = 0;
        for (size_t i = 0; i < wav.frameCount * wav.channels; ++i)
            peak = std::max(
                peak, std::abs(int(int16_t(wav.samples[2 * i] | (wav.samples[2 * i + 1] << 8)))));
        EXPECT_LT(peak, 32000) << name << " clips";
        EXPECT_GT(peak, 8000) << name << " is too quiet";
        EXPECT_GE(double(wav.frameCount) / wav.rate, name == std::string("wav/title1.wav") ? 10 : 0)
            << name;
    }
}
