// The two compression methods of resource packs: a dictionary coder with a 2048-byte window
// and zlib's deflate. Expanding checks everything: a broken stream gives false, never a read or
// write outside its buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace files {

enum class PackMethod : uint16_t {
    Dictionary = 1, // LZSS, 2048-byte window
    Deflate = 2,    // zlib stream
};

// Compresses size bytes (at most the largest pack entry, 64 MiB) with the given method.
std::string PackCompress(PackMethod method, const char* data, size_t size);
// Expands a stream that must give exactly expandedSize bytes; false when the method is unknown
// or the stream is broken, too short, too long or gives another size.
bool PackExpand(uint16_t method, const char* data, size_t size, size_t expandedSize,
                std::string& out);

} // namespace files
