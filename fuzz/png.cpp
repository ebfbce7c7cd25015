// Feeds arbitrary bytes to the PNG reader (libpng with the runtime's own checks around it).

#include "gfx2d/ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gfx2d::DecodedImage image;
    if (gfx2d::DecodePng(data, size, 0x8000FF, "fuzz.png", image) &&
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4)
        __builtin_trap();
    return 0;
}
