// Feeds arbitrary bytes to the PNG reader (libpng with the runtime's own checks around it).
#include "FuzzFiles.h"
#include "gfx2d/ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gfx2d::DecodedImage image;
    fuzzfiles::Check(!gfx2d::DecodePng(data, size, 0x8000FF, "fuzz.png", image) ||
                     image.pixels.size() == size_t(image.width) * image.height * 4);
    return 0;
}
