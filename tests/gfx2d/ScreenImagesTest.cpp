// Screen grabs, saved files and backgrounds with a real frame buffer.
#include <GL/gl.h>

#include <sys/stat.h>

#include <fstream>

#include "TestImages.h"
#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"
#include "support/TestRuntime.h"

namespace {

const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255);
const uint32_t kKey = 0x8000FF;

class ScreenImages : public GlRuntimeTest {
  protected:
    uint32_t Pixel(int x, int y) { return static_cast<uint32_t>(GetPixel(x, y)); }

    // A small scene with distinct colours in every corner.
    void DrawScene() {
        DrawRect(10, 10, 20, 10, kRed);
        DrawRect(30, 20, 20, 10, kGreen);
        DrawRect(10, 25, 5, 5, kBlue);
        DrawPixel(49, 29, Rgb(1, 2, 3));
    }

    std::string Magic(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        char bytes[4] = {};
        in.read(bytes, 4);
        return std::string(bytes, 4);
    }

    static uint32_t Colour(const gfx2d::DecodedImage& image, int x, int y) {
        const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
        return p[0] + p[1] * 256u + p[2] * 65536u;
    }

    TempDir folder;
};

} // namespace

TEST_F(ScreenImages, GrabbedSpritesCopyTheScreen) {
    for (int alphaBits : {8, 0}) { // with and without alpha in the frame buffer
        Rt().gfx->frameBufferAlphaBits = alphaBits;
        glClear(GL_COLOR_BUFFER_BIT);
        DrawScene();
        DrawPixel(11, 11, kKey); // drawn in the key colour, opaque (no blending)
        ASSERT_EQ(GrabSprite(1, 10, 10, 40, 20), 1);
        double w, h;
        GetSpriteSize(1, w, h);
        EXPECT_EQ(w, 40);
        EXPECT_EQ(h, 20);

        DrawRect(0, 0, 800, 600, Rgb(50, 50, 50));
        DrawSprite(1, 200, 100);
        EXPECT_EQ(Pixel(200, 100), kRed) << alphaBits;
        EXPECT_EQ(Pixel(220, 110), kGreen) << alphaBits;
        EXPECT_EQ(Pixel(200, 115), kBlue) << alphaBits;
        EXPECT_EQ(Pixel(239, 119), Rgb(1, 2, 3)) << alphaBits;
        EXPECT_EQ(Pixel(240, 119), Rgb(50, 50, 50)) << alphaBits;
        // Without alpha bits the key colour is found and made transparent.
        if (alphaBits == 0) {
            EXPECT_EQ(Pixel(201, 101), Rgb(50, 50, 50));
        }
    }
    EXPECT_EQ(GrabSprite(2, 0, 0, 0, 10), 0);
    ASSERT_EQ(GrabSprite(2, 0, 0, 1e9, 1e9), 1); // cut to the screen
    double w, h;
    GetSpriteSize(2, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(GrabSprite(-1, 0, 0, 10, 10), 0);
}

TEST_F(ScreenImages, SaveScreenPicksTheFormatByNameAndLoadsBackTheSamePixels) {
    DrawScene();
    for (const char* name : {"x.PnG", "x.bmp", "x"}) {
        const std::string path = folder.File(name);
        ASSERT_EQ(SaveScreen(path.c_str()), 1) << name;
        EXPECT_EQ(Magic(path).substr(0, 2), std::string(name) == "x.PnG" ? "\x89P" : "BM") << name;
        gfx2d::DecodedImage image;
        ASSERT_TRUE(gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image)) << name;
        ASSERT_EQ(image.width, 800);
        ASSERT_EQ(image.height, 600);
        for (int y = 5; y < 35; ++y)
            for (int x = 5; x < 55; ++x)
                ASSERT_EQ(Colour(image, x, y), Pixel(x, y)) << name << " " << x << "," << y;
    }
    EXPECT_EQ(SaveScreen(folder.File("no/such/folder.png").c_str()), 0);
    EXPECT_EQ(SaveScreen(folder.File("no/such/folder.bmp").c_str()), 0);
}

TEST_F(ScreenImages, SavedSpritesHoldTheWholeTextureWithThePictureAtTheBottom) {
    const std::string source =
        folder.Write("s.bmp", MakeBmp(5, 3, 24, [](int x, int y) {
                         return x == 4 && y == 0 ? kKey : Rgb(x * 40, y * 80, 9);
                     }));
    ASSERT_EQ(LoadSprite(source.c_str(), 1), 1);
    for (const char* name : {"s.png", "s.bmp"}) {
        ASSERT_EQ(SaveSprite(folder.File(name).c_str(), 1), 1);
        gfx2d::DecodedImage image;
        ASSERT_TRUE(gfx2d::DecodeImageFile(folder.File(name), gfx2d::kNoColourKey, image));
        ASSERT_EQ(image.width, 8);
        ASSERT_EQ(image.height, 4);
        EXPECT_EQ(Colour(image, 0, 1), Rgb(0, 0, 9)) << name;
        EXPECT_EQ(Colour(image, 3, 3), Rgb(120, 160, 9)) << name;
        // Loaded again with the key, it draws like the original.
        ASSERT_EQ(LoadSprite(folder.File(name).c_str(), 2), 1);
        DrawRect(0, 0, 100, 100, kGreen);
        DrawSprite(2, 10, 10);
        EXPECT_EQ(Pixel(10, 11), Rgb(0, 0, 9)) << name;
        EXPECT_EQ(Pixel(14, 11), kGreen) << name; // the keyed pixel stays transparent
        EXPECT_EQ(Pixel(10, 9), kGreen) << name;  // the empty texture rows too
    }
    EXPECT_EQ(SaveSprite(folder.File("empty.bmp").c_str(), 3), 0);
    EXPECT_EQ(SaveSprite(folder.File("no/folder.bmp").c_str(), 1), 0);
}

// Names may separate folders with "\\" when saving as when loading.
TEST_F(ScreenImages, SavedNamesTakeBackslashesAsFolderSeparators) {
    ASSERT_EQ(mkdir(folder.File("sub").c_str(), 0755), 0);
    const std::string sub = folder.File("sub") + "\\";
    ASSERT_EQ(SaveScreen((sub + "shot.png").c_str()), 1);
    ASSERT_EQ(LoadSprite((sub + "shot.png").c_str(), 1), 1);
    ASSERT_EQ(SaveSprite((sub + "copy.bmp").c_str(), 1), 1);
    EXPECT_EQ(Magic(folder.File("sub/shot.png")).substr(0, 2), "\x89P");
    EXPECT_EQ(Magic(folder.File("sub/copy.bmp")).substr(0, 2), "BM");
}

TEST_F(ScreenImages, ScreenBackgroundStaysUnderEveryFrameUntilCleared) {
    DrawScene();
    UseScreenAsBackground();
    PresentFrame();
    PresentFrame();
    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(49, 29), Rgb(1, 2, 3));
    EXPECT_EQ(Pixel(799, 599), 0u);
    DrawRect(10, 10, 1, 1, kBlue); // game drawing goes on top
    EXPECT_EQ(Pixel(10, 10), kBlue);
    ClearScreen();
    EXPECT_EQ(Pixel(30, 20), 0u);
    PresentFrame();
    EXPECT_EQ(Pixel(30, 20), 0u);
}

TEST_F(ScreenImages, LoadedBackgroundsAreDrawnAtOnceAndEveryFrame) {
    const std::string path = folder.Write(
        "bg.bmp", MakeBmp(600, 40, 24, [](int x, int y) { return Rgb(x % 256, y * 5, 100); }));
    ASSERT_EQ(LoadBackground(path.c_str()), 1);
    EXPECT_EQ(Pixel(0, 0), Rgb(0, 0, 100));
    EXPECT_EQ(Pixel(520, 30), Rgb(520 % 256, 150, 100)); // second tile column
    PresentFrame();
    EXPECT_EQ(Pixel(599, 39), Rgb(599 % 256, 195, 100));
    EXPECT_EQ(Pixel(0, 39), Rgb(0, 195, 100));

    DrawRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(LoadBackground(folder.File("none.bmp").c_str()), 0);
    EXPECT_EQ(Pixel(1, 1), 0u); // cleared
    PresentFrame();
    EXPECT_EQ(Pixel(520, 30), 0u);
}
