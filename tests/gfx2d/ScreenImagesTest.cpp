// Screen grabs, saved files and backgrounds with a real frame buffer.

#include <sys/stat.h>

#include "TestImages.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteStore.h"

namespace {

const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255);
const uint32_t kKey = 0x8000FF, kGrey = Rgb(50, 50, 50);

class ScreenImages : public PictureTest {
  protected:
    // A small scene with distinct colours in every corner.
    void DrawScene() {
        DrawRect(10, 10, 20, 10, kRed);
        DrawRect(30, 20, 20, 10, kGreen);
        DrawRect(10, 25, 5, 5, kBlue);
        DrawPixel(49, 29, Rgb(1, 2, 3));
    }
};

} // namespace

TEST_F(ScreenImages, GrabbedSpritesCopyTheScreen) {
    for (int alphaBits : {8, 0}) { // with and without alpha in the frame buffer
        Rt().gfx->frameBufferAlphaBits = alphaBits;
        glClear(GL_COLOR_BUFFER_BIT);
        DrawScene();
        DrawPixel(11, 11, kKey); // drawn in the key colour, opaque (no blending)
        ASSERT_EQ(GrabSprite(1, 10, 10, 40, 20), 1);
        DrawRect(0, 0, 800, 600, kGrey);
        DrawSprite(1, 200, 100);
        // Without alpha bits the key colour is found and made transparent.
        const std::string what = std::to_string(alphaBits) + " alpha bits";
        ExpectPixels({{200, 100, kRed}, {220, 110, kGreen}, {200, 115, kBlue}}, what);
        ExpectPixels({{239, 119, Rgb(1, 2, 3)}, {240, 119, kGrey}, {200, 120, kGrey}}, what);
        ExpectPixels({{201, 101, alphaBits ? kKey : kGrey}}, what);
    }
    EXPECT_EQ(GrabSprite(2, 0, 0, 0, 10), 0);
    ASSERT_EQ(GrabSprite(2, 0, 0, 1e9, 1e9), 1); // cut to the screen
    double w, h;
    GetSpriteSize(2, w, h);
    EXPECT_EQ(w * 1000 + h, 800600);
    EXPECT_EQ(GrabSprite(-1, 0, 0, 10, 10), 0);
}

// Names may separate folders with "\\" when saving as when loading. A saved sprite holds its
// whole texture, here 8 x 4, with the picture at the bottom.
TEST_F(ScreenImages, SavedScreensAndSpritesLoadBackWithTheirPixels) {
    ASSERT_EQ(mkdir(folder.File("sub").c_str(), 0755), 0);
    DrawScene();
    for (const auto& [name, onDisk, magic] : {std::tuple{"x.PnG", "x.PnG", "\x89P"},
                                              {"x.bmp", "x.bmp", "BM"},
                                              {"x", "x", "BM"},
                                              {"sub\\x.png", "sub/x.png", "\x89P"}}) {
        const std::string path = folder.File(onDisk);
        ASSERT_EQ(SaveScreen(folder.File(name).c_str()), 1) << name;
        EXPECT_EQ(ReadWholeFile(path).substr(0, 2), magic) << name;
        gfx2d::DecodedImage image;
        ASSERT_TRUE(gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image)) << name;
        ASSERT_EQ(image.width * 1000 + image.height, 800600);
        for (int y = 5; y < 35; ++y)
            for (int x = 5; x < 55; ++x)
                ASSERT_EQ(Colour(image, x, y), Pixel(x, y)) << name << " " << x << "," << y;
    }

    auto picture = [](int x, int y) { return x == 4 && y == 0 ? kKey : Rgb(x * 40, y * 80, 9); };
    ASSERT_EQ(Load(1, 5, 3, picture), 1);
    for (const auto& [name, onDisk] : {std::pair{"s.png", "s.png"}, {"sub\\s.bmp", "sub/s.bmp"}}) {
        ASSERT_EQ(SaveSprite(folder.File(name).c_str(), 1), 1);
        // Loaded again with the key, it is 8 x 4 with the picture one row down; the keyed
        // pixel and the empty texture row and columns stay transparent.
        ASSERT_EQ(LoadSprite(folder.File(onDisk).c_str(), 2), 1);
        DrawRect(0, 0, 100, 100, kGreen);
        DrawSprite(2, 10, 10);
        ExpectPixels({{10, 11, Rgb(0, 0, 9)}, {13, 13, Rgb(120, 160, 9)}, {14, 11, kGreen}}, name);
        ExpectPixels({{10, 10, kGreen}, {17, 13, kGreen}}, name);
    }
    for (const std::string& path : {folder.File("no/such/folder.png"), folder.File("no/folder.bmp"),
                                    std::string("/dev/full")})
        EXPECT_EQ(SaveScreen(path.c_str()) + SaveSprite(path.c_str(), 1), 0) << path;
    EXPECT_EQ(SaveSprite(folder.File("empty.bmp").c_str(), 3), 0);
}

// A background, the screen kept or a picture loaded (drawn at once, tiled), stays under every
// frame until ClearScreen or a failed load clears it.
TEST_F(ScreenImages, BackgroundsStayUnderEveryFrameUntilCleared) {
    DrawScene();
    UseScreenAsBackground();
    PresentFrame();
    PresentFrame();
    ExpectPixels({{10, 10, kRed}, {49, 29, Rgb(1, 2, 3)}, {799, 599, 0}});
    ClearScreen();
    PresentFrame();
    EXPECT_EQ(Pixel(30, 20), 0u);

    const std::string path = folder.Write(
        "bg.bmp", MakeBmp(600, 40, 24, [](int x, int y) { return Rgb(x % 256, y * 5, 100); }));
    ASSERT_EQ(LoadBackground(path.c_str()), 1);
    ExpectPixels({{0, 0, Rgb(0, 0, 100)}, {520, 30, Rgb(520 % 256, 150, 100)}}); // 2 tiles
    PresentFrame();
    ExpectPixels({{599, 39, Rgb(599 % 256, 195, 100)}, {0, 39, Rgb(0, 195, 100)}});
    EXPECT_EQ(LoadBackground(folder.File("none.bmp").c_str()), 0);
    EXPECT_EQ(Pixel(1, 1), 0u);
    PresentFrame();
    EXPECT_EQ(Pixel(520, 30), 0u);
}
