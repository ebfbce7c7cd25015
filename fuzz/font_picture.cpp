// Fuzzes what a font or sprite picture goes through after decoding: padding
// to a texture, edge bleeding, the normal map and every mipmap level down to 1 x 1.
#include "FuzzFiles.h"
#include "gfx2d/ImageCodec.h"
#include "gfx2d/TexturePixels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Pictures are kept small here: the work is linear in the pixels, the interest is in shapes.
    constexpr int kLargestSide = 512;
    gfx2d::DecodedImage image;
    if (!gfx2d::DecodeBmp(data, size, 0xFF00FF, image) &&
        !gfx2d::DecodePng(data, size, 0xFF00FF, "fuzz.png", image))
        return 0;
    if (image.width > kLargestSide || image.height > kLargestSide) return 0;
    int width = gfx2d::PowerOfTwoAtLeast(image.width, 2);
    int height = gfx2d::PowerOfTwoAtLeast(image.height, 2);
    std::vector<uint8_t> pixels =
        gfx2d::PadAndFlip(image, image.width, image.height, width, height);
    fuzzfiles::Check(pixels.size() == static_cast<size_t>(width) * height * 4);
    gfx2d::BleedEdges(pixels, width, height);
    std::vector<uint8_t> normals = pixels;
    gfx2d::MakeNormalMap(normals, width, height);
    while (width > 1 || height > 1) {
        const int wasWidth = width, wasHeight = height;
        gfx2d::HalveMipLevel(pixels, width, height);
        fuzzfiles::Check(width == std::max(wasWidth / 2, 1) &&
                         height == std::max(wasHeight / 2, 1) &&
                         pixels.size() >= static_cast<size_t>(width) * height * 4);
    }
    return 0;
}
