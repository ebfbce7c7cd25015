// contactsheet: lays every BMP picture of an asset folder side by side, each scaled to fit a
// tile and named below it, and writes the sheet as one PNG. Colour-keyed pixels show as a
// checkerboard, as they appear transparent in the game.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "TextRaster.h"
#include "gfx2d/ImageCodec.h"

namespace {

constexpr int kTileWidth = 272;
constexpr int kTileHeight = 232;
constexpr int kPictureBox = 200;
constexpr int kColumns = 5;
constexpr int64_t kDefaultKey = 255 + 0 * 256 + 128 * 65536;

std::vector<std::string> PicturesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string sub : {"bmp", "."}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder + "/" + sub, error))
            if (entry.path().extension() == ".bmp")
                names.push_back(sub == "." ? entry.path().filename().string()
                                           : sub + "/" + entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Draws the picture scaled down (box filter) to fit kPictureBox, centred at the top of a tile.
void DrawThumbnail(Canvas& sheet, const gfx2d::DecodedImage& image, int tileX, int tileY) {
    const double scale = std::min(1.0, double(kPictureBox) / std::max(image.width, image.height));
    const int width = std::max(1, static_cast<int>(image.width * scale));
    const int height = std::max(1, static_cast<int>(image.height * scale));
    const int left = tileX + (kTileWidth - width) / 2, top = tileY + 8;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int sx0 = x * image.width / width,
                      sx1 = std::max(sx0 + 1, (x + 1) * image.width / width);
            const int sy0 = y * image.height / height,
                      sy1 = std::max(sy0 + 1, (y + 1) * image.height / height);
            double r = 0, g = 0, b = 0, alpha = 0;
            int count = 0;
            for (int sy = sy0; sy < sy1; ++sy)
                for (int sx = sx0; sx < sx1; ++sx, ++count) {
                    const uint8_t* p = &image.pixels[(size_t(sy) * image.width + sx) * 4];
                    r += p[0] * p[3] / 255.0;
                    g += p[1] * p[3] / 255.0;
                    b += p[2] * p[3] / 255.0;
                    alpha += p[3] / 255.0;
                }
            const Rgb checker = ((x / 8 + y / 8) % 2) ? Rgb{200, 200, 200} : Rgb{150, 150, 150};
            const double a = alpha / count;
            const Rgb colour =
                a > 0 ? Rgb{uint8_t(r / alpha), uint8_t(g / alpha), uint8_t(b / alpha)} : checker;
            sheet.Set(left + x, top + y, Mix(checker, colour, a));
        }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet <asset folder> <sheet.png>\n");
        return 2;
    }
    const std::vector<std::string> names = PicturesIn(argv[1]);
    const int rows = std::max(1, (static_cast<int>(names.size()) + kColumns - 1) / kColumns);
    Canvas sheet(kColumns * kTileWidth, rows * kTileHeight, Rgb{40, 44, 52});
    TextStyle caption;
    caption.fill = caption.shadeFill = Rgb{230, 230, 230};
    for (size_t i = 0; i < names.size(); ++i) {
        const int tileX = static_cast<int>(i % kColumns) * kTileWidth;
        const int tileY = static_cast<int>(i / kColumns) * kTileHeight;
        gfx2d::DecodedImage image;
        if (!gfx2d::DecodeImageFile(std::string(argv[1]) + "/" + names[i], kDefaultKey, image)) {
            std::fprintf(stderr, "contactsheet: cannot read %s\n", names[i].c_str());
            return 1;
        }
        DrawThumbnail(sheet, image, tileX, tileY);
        const std::string label =
            names[i] + "  " + std::to_string(image.width) + "x" + std::to_string(image.height);
        const TextMask mask = RenderText(DejaVuPath("DejaVuSans.ttf"), 13, label);
        DrawTextMask(sheet, mask, tileX + (kTileWidth - mask.width) / 2, tileY + kPictureBox + 12,
                     caption);
    }
    if (!gfx2d::WritePngFile(argv[2], sheet.ToSavedPicture())) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
