// Numbers stored least significant byte first, as the BMP, WAV, object and pack formats keep
// them: read from bytes, or appended to a byte buffer (std::string or std::vector).
#pragma once

#include <cstdint>

namespace files {

inline uint16_t ReadLe16(const void* at) {
    const auto* b = static_cast<const unsigned char*>(at);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

inline uint32_t ReadLe32(const void* at) {
    const auto* b = static_cast<const unsigned char*>(at);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

template <class Buffer> void AppendLe16(Buffer& out, uint32_t value) {
    using Byte = typename Buffer::value_type;
    out.push_back(static_cast<Byte>(value & 0xFF));
    out.push_back(static_cast<Byte>((value >> 8) & 0xFF));
}

template <class Buffer> void AppendLe32(Buffer& out, uint32_t value) {
    AppendLe16(out, value & 0xFFFF);
    AppendLe16(out, value >> 16);
}

} // namespace files
