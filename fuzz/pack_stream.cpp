// Fuzzes the two expanders directly (the pack reader checks the index checksum first, so
// random streams rarely reach them through a pack): the first bytes pick the method and the
// expected size, the rest is the stream, read in place so that a read past it is caught.
#include "FuzzFiles.h"
#include "files/PackCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint16_t method = data[0] % 2 + 1;
    const size_t expandedSize = static_cast<size_t>(data[1] | data[2] << 8);
    const char* stream = reinterpret_cast<const char*>(data + 3);
    std::string out;
    fuzzfiles::Check(!files::PackExpand(method, stream, size - 3, expandedSize, out) ||
                     out.size() == expandedSize);
    // Whatever expands must compress and expand back to itself.
    const std::string packed =
        files::PackCompress(static_cast<files::PackMethod>(method), stream, size - 3);
    fuzzfiles::Check(files::PackExpand(method, packed.data(), packed.size(), size - 3, out) &&
                     out == fuzzfiles::Text(data + 3, size - 3));
    return 0;
}
