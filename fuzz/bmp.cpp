// Feeds arbitrary bytes to the BMP reader: it must reject or decode, never read outside the
// input or take unbounded memory.
#include "FuzzFiles.h"
#include "gfx2d/ImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gfx2d::DecodedImage image;
    fuzzfiles::Check(!gfx2d::DecodeBmp(data, size, 0x8000FF, image) ||
                     image.pixels.size() == size_t(image.width) * image.height * 4);
    return 0;
}
