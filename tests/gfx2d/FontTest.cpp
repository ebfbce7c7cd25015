// Fonts and printed text, drawn and read back.

#include "TestImages.h"
#include "gfx2d/FontCommands.h"

namespace {

const uint32_t kWhite = Rgb(255, 255, 255), kGreen = Rgb(0, 255, 0);

class Fonts : public PictureTest {
  protected:
    // A font picture whose glyph cells are each filled with their own colour, with a black
    // (transparent) frame of one pixel.
    std::string CellFont(int width, int height) {
        const int cellWidth = width / 16, cellHeight = height / (height >= width ? 16 : 8);
        return folder.Write("font.bmp", MakeBmp(width, height, 24, [=](int x, int y) {
                                if (x % cellWidth == 0 || y % cellHeight == 0) return 0u;
                                return CellColour((y / cellHeight) * 16 + x / cellWidth);
                            }));
    }
    static uint32_t CellColour(int code) { return Rgb(code, 255 - code, 77); }

    // The current font's glyph width * 100 + its height.
    double FontSize() {
        double width = 0, height = 0;
        GetFontSize(width, height);
        return width * 100 + height;
    }
};

} // namespace

TEST_F(Fonts, BuiltInFontAdvancesByItsGlyphWidthAndPrintsNumbersAsText) {
    EXPECT_EQ(FontSize(), 808);
    // 'A': the top bar in cell columns 2..4 of row 1, outlined, the hole below it an outline
    // pixel; positions round up.
    PrintText("AA", 100.2, 100);
    ExpectPixels({{103, 101, kWhite}, {105, 101, kWhite}, {111, 101, kWhite}});
    ExpectPixels({{104, 102, Rgb(8, 8, 8)}, {102, 101, Rgb(8, 8, 8)}, {101, 101, 0}});
    ExpectPixels({{108, 108, 0}});

    PrintNumber(42, 300, 300);
    PrintText("42", 300, 320);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(Pixel(300 + x, 300 + y), Pixel(300 + x, 320 + y));
    EXPECT_NE(Pixel(300 + 2, 300 + 1) + Pixel(300 + 3, 300 + 3), 0u);
}

// A tall picture holds glyphs for all 256 bytes, a wide one 128, so bytes from 128 print the
// glyph 128 below them. Fonts key black (the cells' frames) until the transparency colour
// changes. Font ids are clamped to 0..31; a missing file gives the built-in font.
TEST_F(Fonts, PictureFontsWrapKeyAndClamp) {
    DrawRect(0, 0, 800, 600, kGreen);
    LoadFont(CellFont(256, 256).c_str(), 3);
    PrintText("\x41\xC8", 0, 0); // 65 and 200
    LoadFont(CellFont(256, 128).c_str(), 4);
    EXPECT_EQ(FontSize(), 1616);
    PrintText("\xC8", 0, 100);
    ExpectPixels({{8, 8, CellColour(65)}, {16 + 8, 8, CellColour(200)}, {16, 0, kGreen}});
    ExpectPixels({{8, 108, CellColour(72)}});
    SetTransparency(CellColour(65));
    LoadFont(CellFont(256, 128).c_str(), 31);
    PrintText("AB", 0, 200);
    ExpectPixels({{0, 200, 0}, {5, 205, kGreen}, {21, 205, CellColour(66)}});

    SetFont(0);
    SetFont(40);
    EXPECT_EQ(FontSize(), 1616);
    SetFont(-3);
    EXPECT_EQ(FontSize(), 808);
    LoadFont(folder.File("none.bmp").c_str(), 99); // clamped to 31, built-in font there
    EXPECT_EQ(FontSize(), 808);
    PrintText("A", 50, 50);
    EXPECT_EQ(Pixel(52, 51), kWhite);
}
