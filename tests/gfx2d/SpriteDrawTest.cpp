// Sprites and primitives drawn on the software rasteriser and read back pixel by pixel.

#include <png.h>

#include <cmath>

#include "TestImages.h"

namespace {

const uint32_t kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255);
const uint32_t kWhite = Rgb(255, 255, 255), kKey = 0x8000FF;

using SpriteDrawing = PictureTest;

// Red top-left pixel, green elsewhere: shows position, mirroring and turning.
uint32_t RedCorner(int x, int y) {
    return x == 0 && y == 0 ? kRed : kGreen;
}

} // namespace

// Fractional positions round up; odd widths pad their rows; both depths, and a single pixel.
TEST_F(SpriteDrawing, SpritesLandWithTheirTopLeftPixelAtThePositionWithoutSkew) {
    auto pattern = [](int x, int y) { return Rgb(40 * x + 10, 60 * y + 20, 99); };
    for (int bits : {24, 32})
        for (int width : {5, 1}) {
            ASSERT_EQ(Load(2, width, 3, pattern, bits), 1);
            DrawSprite(2, 99.25, 99.5);
            for (int y = -1; y < 4; ++y)
                for (int x = -1; x <= width; ++x)
                    EXPECT_EQ(Pixel(100 + x, 100 + y),
                              x >= 0 && y >= 0 && x < width && y < 3 ? pattern(x, y) : 0)
                        << bits << " bits, " << width << " wide at " << x << "," << y;
            glClear(GL_COLOR_BUFFER_BIT);
        }
}

// A reload replaces the picture; a failed load empties the slot and leaves one line in the
// log: the command, the name and why. Ids outside the table are refused, never a crash.
TEST_F(SpriteDrawing, ReloadsReplaceAndFailedLoadsEmptyTheSlotAndSayWhy) {
    ScopedTmpDir logHere(folder.Path() + "/");
    ASSERT_EQ(Load(4, 8, 8, RedCorner), 1);
    ASSERT_EQ(Load(4, 2, 6, RedCorner), 1);
    double w, h;
    GetSpriteSize(4, w, h);
    EXPECT_EQ(w * 100 + h, 206);
    const std::vector<uint8_t> bmp = MakeBmp(4, 4, 24, RedCorner),
                               png = MakePngOfFormat({}, 4, {{0, 0, 0, 0}});
    const std::pair<std::string, std::string> failures[] = {
        {folder.File("missing.bmp"), "not found"},
        {folder.Write("notes.bmp", std::string("hi")), "not a picture"},
        {folder.Write("cut.bmp", std::vector<uint8_t>(bmp.begin(), bmp.end() - 2)),
         "cut short at byte 100"}, // of 102
        // The signature and the header chunk end at byte 33; the next chunk is missing.
        {folder.Write("cut.png", std::vector<uint8_t>(png.begin(), png.begin() + 36)),
         "damaged at byte 33"},
    };
    std::string log;
    for (const auto& [path, why] : failures) {
        ASSERT_EQ(Load(4, 2, 2, RedCorner), 1);
        EXPECT_EQ(LoadSprite(path.c_str(), 4), 0) << path;
        GetSpriteSize(4, w, h);
        EXPECT_EQ(w + h, 0) << path;
        log += "LoadSprite(\"" + path + "\"): " + why + "\r\n";
    }
    EXPECT_EQ(LoadBumpTexture(failures[0].first.c_str(), 4), 0);
    log += "LoadBumpTexture(\"" + failures[0].first + "\"): not found\r\n";
    EXPECT_EQ(ReadWholeFile(folder.File("ErrorLog.txt")), log);

    EXPECT_EQ(LoadSprite(folder.Write("t.bmp", bmp).c_str(), -1), 0);
    EXPECT_EQ(LoadSprite(folder.File("t.bmp").c_str(), 1e12), 0);
    DrawSprite(70000, 0, 0);
    DeleteSprite(std::nan(""));
    GetSpriteSize(-5, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(SpriteCollision(-1, 0, 0, 99999, 0, 0), 0);
}

TEST_F(SpriteDrawing, ColourKeyAppliesToBmpAndKeylessPngButNotToPngWithAlpha) {
    auto keyed = [](int x, int) { return x == 0 ? kKey : kBlue; };
    // The same two pixels in PNGs of colour type RGB and RGBA: red, green, blue (and alpha).
    const std::string rgb = folder.Write(
        "rgb.png", MakePngOfFormat({PNG_COLOR_TYPE_RGB}, 2, {{0xFF, 0, 0x80, 0, 0, 0xFF}}));
    const std::string rgba =
        folder.Write("rgba.png", MakePngOfFormat({PNG_COLOR_TYPE_RGB_ALPHA}, 2,
                                                 {{0xFF, 0, 0x80, 0xFF, 0, 0, 0xFF, 0xFF}}));
    ASSERT_EQ(LoadSprite(rgb.c_str(), 6) + LoadSprite(rgba.c_str(), 7), 2);
    DrawRect(0, 0, 800, 600, kGreen);
    DrawSprite(6, 10, 20);
    DrawSprite(7, 10, 30);
    // Another key takes effect for later loads; the old one no longer does.
    SetTransparency(kBlue);
    ASSERT_EQ(Load(5, 2, 1, keyed), 1);
    DrawSprite(5, 10, 40);
    ExpectPixels({{10, 20, kGreen}, {11, 20, kBlue}, {10, 30, kKey}, {10, 40, kKey}});
    ExpectPixels({{11, 40, kGreen}});
}

TEST_F(SpriteDrawing, StretchZoomAndRotoZoomPlaceTheirPixels) {
    ASSERT_EQ(Load(1, 4, 2, RedCorner), 1);
    StretchSprite(1, 20, 10, -4, 2);  // mirrored left-right over 16..19
    StretchSprite(1, 40, 50, -4, -2); // turned upside down over 36..39 x 48..49
    ExpectPixels({{19, 10, kRed}, {16, 10, kGreen}, {20, 10, 0}, {15, 10, 0}, {39, 49, kRed}});
    ExpectPixels({{36, 48, kGreen}});
    // Plain scaling and zooming are filtered, so only their extent is exact; culling still
    // works after a mirrored quad.
    StretchSprite(1, 60, 60, 8, 4);
    ZoomSprite(1, 100, 100, 2, 2); // 4 x 2 scaled about its centre: 98..105 x 99..102
    for (const auto& [x, y] : {std::pair{60, 60}, {67, 63}, {98, 99}, {105, 102}})
        EXPECT_NE(Pixel(x, y), 0u) << x << "," << y;
    for (const auto& [x, y] : {std::pair{68, 63}, {67, 64}, {97, 99}, {106, 102}})
        EXPECT_EQ(Pixel(x, y), 0u) << x << "," << y;

    // A wide bar 8 x 2 with its centre at (54, 51) when drawn at (50, 50); turned upright and
    // twice as long it is 4 wide and 16 tall.
    ASSERT_EQ(Load(2, 8, 2, [](int, int) { return kBlue; }), 1);
    RotoZoomSprite(2, 50, 50, 0, 1);
    RotoZoomSprite(2, 150, 50, 90, 2);
    // Positive angles turn counter-clockwise: the red corner goes to the bottom-left.
    ASSERT_EQ(Load(3, 8, 8, [](int x, int y) { return x < 4 && y < 4 ? kRed : kGreen; }), 1);
    RotoZoomSprite(3, 300, 300, 90, 1);
    ExpectPixels({{51, 50, kBlue}, {54, 47, 0}, {154, 45, kBlue}, {154, 57, kBlue}, {148, 51, 0}});
    ExpectPixels({{160, 51, 0}, {301, 306, kRed}, {301, 301, kGreen}});
}

// The mode changes between sprites with nothing read in between, so a batch drawn in the
// mode of its last sprite fails.
TEST_F(SpriteDrawing, AlphaModesBlendUntilTheNextFrame) {
    ASSERT_EQ(Load(1, 4, 4, [](int, int) { return kWhite; }), 1);
    SetAlphaMode(-0.5); // translucent: half grey on black
    DrawSprite(1, 10, 10);
    DrawSprite(1, 50, 10);
    SetAlphaMode(0.5); // additive at half strength: half grey becomes white
    DrawSprite(1, 50, 10);
    SetAlphaMode(0.25);
    DrawSprite(1, 40, 10);
    SetAlphaMode(0);
    DrawSprite(1, 20, 10);
    const uint32_t half = Pixel(10, 10);
    EXPECT_NEAR(half & 0xFF, 128, 2);
    EXPECT_EQ(half, (half & 0xFF) * 0x010101u);
    EXPECT_NEAR(Pixel(50, 10) & 0xFF, 255, 2);
    EXPECT_NEAR(Pixel(40, 10) >> 16, 64, 2);
    EXPECT_EQ(Pixel(20, 10), kWhite);
    SetAlphaMode(-0.5);
    PresentFrame();
    DrawSprite(1, 30, 10);
    EXPECT_EQ(Pixel(30, 10), kWhite);
}

TEST_F(SpriteDrawing, PixelsLinesAndRectanglesCoverExactlyTheirPixels) {
    DrawPixel(5, 5, kRed);
    DrawLine(0, 0, 0, 0, kGreen);    // exactly one pixel
    DrawLine(10, 20, 30, 20, kBlue); // both ends lit
    DrawLine(50, 50, 50, 53, kBlue);
    DrawRect(100, 100, 10, 5, kRed);
    DrawRect(200, 200, -10, -5, kGreen); // extends left and up from (200, 200)
    ExpectPixels({{5, 5, kRed}, {6, 5, 0}, {0, 0, kGreen}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    ExpectPixels({{10, 20, kBlue}, {30, 20, kBlue}, {31, 20, 0}, {9, 20, 0}, {50, 50, kBlue}});
    ExpectPixels({{50, 53, kBlue}, {50, 54, 0}, {50, 49, 0}, {100, 100, kRed}, {109, 104, kRed}});
    ExpectPixels({{110, 104, 0}, {109, 105, 0}, {99, 100, 0}, {100, 99, 0}, {200, 200, kGreen}});
    ExpectPixels({{191, 196, kGreen}, {190, 196, 0}, {201, 200, 0}, {191, 195, 0}});
}

// Polygons fill plain or with a texture placed by picture pixels; drawn translucent, the
// transparency colour is invisible ink for every primitive.
TEST_F(SpriteDrawing, PolygonsFillAndTheTransparencyColourIsInvisibleInk) {
    auto quad = [](double id, int at, int size, double u0, double u1, uint32_t colour) {
        StartPolygon(id);
        for (const auto& [x, y] : {std::pair{0, 0}, {0, 1}, {1, 1}, {1, 0}})
            AddPolygonVertex(at + x * size, at + y * size, x ? u1 : u0, y * 8, colour);
        EndPolygon();
    };
    quad(-1, 10, 20, 0, 0, kRed);
    ASSERT_EQ(Load(1, 8, 8, [](int x, int) { return x < 4 ? kBlue : kGreen; }), 1);
    quad(1, 100, 40, 4, 8, kWhite); // the picture's right half
    DrawSprite(1, 200, 200);        // ordinary drawing afterwards is unchanged
    ExpectPixels({{20, 20, kRed}, {35, 20, 0}, {120, 120, kGreen}, {200, 200, kBlue}});

    DrawRect(300, 0, 500, 600, kGreen);
    SetAlphaMode(-1);
    DrawRect(300, 0, 50, 50, kKey);
    DrawPixel(360, 60, kKey);
    DrawLine(370, 70, 380, 70, kKey);
    quad(-1, 400, 20, 0, 0, kKey);
    ExpectPixels({{310, 10, kGreen}, {360, 60, kGreen}, {375, 70, kGreen}, {410, 410, kGreen}});

    // A bump texture of a flat picture points straight up.
    const std::string flat =
        folder.Write("b.bmp", MakeBmp(4, 4, 24, [](int, int) { return Rgb(0, 0, 100); }));
    SetAlphaMode(0);
    ASSERT_EQ(LoadBumpTexture(flat.c_str(), 2), 1);
    DrawSprite(2, 500, 500);
    EXPECT_EQ(Pixel(501, 501), Rgb(127, 127, 255));
}

TEST_F(SpriteDrawing, CollisionFindsASingleSharedOpaquePixelAtEveryOffset) {
    ASSERT_EQ(Load(1, 16, 16, [](int, int) { return kRed; }), 1);
    // A 3 x 3 sprite whose only opaque pixel is its centre, moved over and around sprite 1.
    ASSERT_EQ(Load(2, 3, 3, [](int x, int y) { return x == 1 && y == 1 ? kBlue : kKey; }), 1);
    for (int dy = -3; dy <= 17; ++dy)
        for (int dx = -3; dx <= 17; ++dx) {
            const bool shared = dx + 1 >= 0 && dx + 1 < 16 && dy + 1 >= 0 && dy + 1 < 16;
            ASSERT_EQ(SpriteCollision(1, 100, 100, 2, 100 + dx, 100 + dy), shared ? 1 : 0)
                << dx << "," << dy;
            ASSERT_EQ(SpriteCollision(2, 100 + dx, 100 + dy, 1, 100, 100), shared ? 1 : 0)
                << dx << "," << dy;
        }
    // A reload makes the collision read the new picture.
    ASSERT_EQ(Load(2, 3, 3, [](int, int) { return kBlue; }), 1);
    EXPECT_EQ(SpriteCollision(1, 100, 100, 2, 98, 100), 1);
}
