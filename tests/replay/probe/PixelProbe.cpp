// Reads pixels of a picture file for shell tests that check snapshots: for each x y pair on the
// command line it prints "r g b" of that pixel on a line of its own, x from the left and y from
// the top. The picture is decoded by the runtime's own readers (PNG or BMP).
// Exit status 0 when every pixel was read, 2 for a file that cannot be read or decoded, a
// coordinate that is not a whole number or a pixel outside the picture.
#include <cstdio>
#include <string>

#include "gfx2d/ImageCodec.h"

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: %s <picture> <x> <y> [<x> <y> ...]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    gfx2d::DecodedImage image;
    if (!gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image)) {
        std::fprintf(stderr, "%s: not a picture that can be read\n", path.c_str());
        return 2;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        int x = -1, y = -1;
        char extra;
        if (std::sscanf(argv[i], "%d%c", &x, &extra) != 1 ||
            std::sscanf(argv[i + 1], "%d%c", &y, &extra) != 1 || x < 0 || y < 0 ||
            x >= image.width || y >= image.height) {
            std::fprintf(stderr, "%s %s: not a pixel of the %dx%d picture %s\n", argv[i],
                         argv[i + 1], image.width, image.height, path.c_str());
            return 2;
        }
        const size_t at = (static_cast<size_t>(y) * image.width + x) * 4;
        std::printf("%d %d %d\n", image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]);
    }
    return 0;
}
