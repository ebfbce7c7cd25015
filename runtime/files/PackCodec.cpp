#include "files/PackCodec.h"

#include <vector>
#include <zlib.h>

// The dictionary stream is a run of groups: one flag byte, then up to eight items, taken from
// the lowest flag bit up. A set bit is one literal byte; a clear bit is a two-byte match:
// byte0 = low 8 bits of (distance - 1), byte1 = high 3 bits of (distance - 1) << 5 |
// (length - 3). Distances run 1..2048, lengths 3..34. The stream ends with the last item.
namespace {

constexpr size_t kWindow = 2048;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 34;
constexpr size_t kHashSize = 1 << 13;
constexpr int kChainLimit = 128;

size_t Hash3(const unsigned char* p) {
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & (kHashSize - 1);
}

std::string DictionaryCompress(const char* text, size_t size) {
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    std::string out;
    std::vector<int32_t> head(kHashSize, -1);
    std::vector<int32_t> previous(size, -1); // entries stay below 64 MiB
    size_t flagAt = 0;
    int items = 8;
    auto remember = [&](size_t at) {
        if (at + kMinMatch > size) return;
        const size_t h = Hash3(data + at);
        previous[at] = head[h];
        head[h] = static_cast<int32_t>(at);
    };
    size_t at = 0;
    while (at < size) {
        if (items == 8) {
            flagAt = out.size();
            out.push_back('\0');
            items = 0;
        }
        size_t bestLength = 0, bestDistance = 0;
        if (at + kMinMatch <= size) {
            const size_t limit = std::min(kMaxMatch, size - at);
            int32_t candidate = head[Hash3(data + at)];
            for (int steps = 0; candidate >= 0 && steps < kChainLimit; ++steps) {
                const size_t distance = at - static_cast<size_t>(candidate);
                if (distance > kWindow) break;
                size_t length = 0;
                while (length < limit && data[candidate + length] == data[at + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == limit) break;
                }
                candidate = previous[static_cast<size_t>(candidate)];
            }
        }
        if (bestLength >= kMinMatch) {
            const size_t code = bestDistance - 1;
            out.push_back(static_cast<char>(code & 0xFF));
            out.push_back(static_cast<char>(((code >> 8) << 5) | (bestLength - kMinMatch)));
            for (size_t i = 0; i < bestLength; ++i)
                remember(at + i);
            at += bestLength;
        } else {
            out[flagAt] = static_cast<char>(out[flagAt] | (1 << items));
            out.push_back(static_cast<char>(data[at]));
            remember(at);
            ++at;
        }
        ++items;
    }
    return out;
}

bool DictionaryExpand(const char* text, size_t size, size_t expandedSize, std::string& out) {
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    out.clear();
    out.reserve(expandedSize);
    size_t at = 0;
    unsigned flags = 0;
    int items = 8;
    while (out.size() < expandedSize) {
        if (items == 8) {
            if (at >= size) return false;
            flags = data[at++];
            items = 0;
        }
        if (flags & (1u << items)) {
            if (at >= size) return false;
            out.push_back(static_cast<char>(data[at++]));
        } else {
            if (at + 2 > size) return false;
            const size_t distance = (data[at] | ((data[at + 1] >> 5) << 8)) + 1;
            const size_t length = (data[at + 1] & 0x1F) + kMinMatch;
            at += 2;
            if (distance > out.size() || out.size() + length > expandedSize) return false;
            // Byte by byte: a match may overlap the bytes it produces.
            const size_t from = out.size() - distance;
            for (size_t i = 0; i < length; ++i)
                out.push_back(out[from + i]);
        }
        ++items;
    }
    return at == size;
}

std::string DeflateCompress(const char* data, size_t size) {
    uLongf length = compressBound(static_cast<uLong>(size));
    std::string out(length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &length,
                  reinterpret_cast<const Bytef*>(data), static_cast<uLong>(size),
                  Z_BEST_COMPRESSION) != Z_OK)
        return std::string();
    out.resize(length);
    return out;
}

bool DeflateExpand(const char* data, size_t size, size_t expandedSize, std::string& out) {
    out.assign(expandedSize, '\0');
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(expandedSize);
    const int result = inflate(&stream, Z_FINISH);
    const bool ok =
        result == Z_STREAM_END && stream.total_out == expandedSize && stream.avail_in == 0;
    inflateEnd(&stream);
    return ok;
}

} // namespace

std::string files::PackCompress(files::PackMethod method, const char* data, size_t size) {
    return method == files::PackMethod::Dictionary ? DictionaryCompress(data, size)
                                                   : DeflateCompress(data, size);
}

bool files::PackExpand(uint16_t method, const char* data, size_t size, size_t expandedSize,
                       std::string& out) {
    switch (static_cast<files::PackMethod>(method)) {
    case files::PackMethod::Dictionary: return DictionaryExpand(data, size, expandedSize, out);
    case files::PackMethod::Deflate: return DeflateExpand(data, size, expandedSize, out);
    }
    return false;
}
