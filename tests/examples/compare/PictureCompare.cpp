// Compares two pictures (PNG or BMP) for the example runs: a snapshot against its committed
// picture. Pictures drawn by another machine's software renderer may differ a little at edges
// and in rounding, so a pixel counts as different only when one of its red, green or blue
// values is more than the tolerance away, and the pictures match while at most a small share
// of their pixels differ. Alpha is not compared: the screen has none.
//
//   picture_compare <expected> <actual> [<tolerance per channel> <share of pixels>]
//
// Defaults: 16 and 0.001. Exit status 0 when they match, 1 when they do not (it says how much
// differs), 2 when a picture cannot be read or the sizes differ.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx2d/ImageCodec.h"

namespace {

constexpr int kDiffer = 1;
constexpr int kBadInput = 2;

bool Load(const char* path, gfx2d::DecodedImage& image) {
    std::string why;
    if (gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image, &why)) return true;
    std::fprintf(stderr, "%s: %s\n", path, why.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s <expected> <actual> [<tolerance> <share>]\n", argv[0]);
        return kBadInput;
    }
    const int tolerance = argc == 5 ? std::atoi(argv[3]) : 16;
    const double allowedShare = argc == 5 ? std::atof(argv[4]) : 0.001;
    gfx2d::DecodedImage expected, actual;
    if (!Load(argv[1], expected) || !Load(argv[2], actual)) return kBadInput;
    if (expected.width != actual.width || expected.height != actual.height) {
        std::fprintf(stderr, "sizes differ: %dx%d expected, %dx%d drawn\n", expected.width,
                     expected.height, actual.width, actual.height);
        return kBadInput;
    }
    long differing = 0;
    int largest = 0;
    const long pixels = static_cast<long>(expected.width) * expected.height;
    for (long i = 0; i < pixels; ++i) {
        int worst = 0;
        for (int c = 0; c < 3; ++c)
            worst =
                std::max(worst, std::abs(expected.pixels[i * 4 + c] - actual.pixels[i * 4 + c]));
        largest = std::max(largest, worst);
        if (worst > tolerance) ++differing;
    }
    const double share = pixels > 0 ? static_cast<double>(differing) / pixels : 0;
    std::printf("%ld of %ld pixels differ by more than %d (%.3f%%, %.3f%% allowed); largest "
                "difference %d\n",
                differing, pixels, tolerance, share * 100, allowedShare * 100, largest);
    return share <= allowedShare ? 0 : kDiffer;
}
