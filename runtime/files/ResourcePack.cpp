#include "files/ResourcePack.h"

#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <utility>

#include "files/FilePaths.h"
#include "files/LittleEndian.h"

namespace {

constexpr char kMarker[3] = {'s', 'b', 'X'};
constexpr uint8_t kVersion = 1;
constexpr uint32_t kLargestIndex = 64u << 20;
// The most bytes one stored byte can expand to: deflate's own limit is 1032; a dictionary
// group of 17 bytes gives at most 8 matches of 34 bytes.
constexpr uint64_t kDeflateRatio = 1032;
constexpr uint64_t kDictionaryRatio = 16;

uint32_t Crc32(const char* data, size_t size) {
    return static_cast<uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// Reads exactly size bytes at offset; false when the file is shorter.
bool ReadAt(int fd, uint64_t offset, size_t size, std::string& out) {
    out.assign(size, '\0');
    size_t done = 0;
    while (done < size) {
        const ssize_t got =
            pread(fd, out.data() + done, size - done, static_cast<off_t>(offset + done));
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

// Appends the entries of a whole index; false at the first sign of damage.
bool ParseEntries(const char* index, size_t indexSize, const files::PackIndexPlace& place,
                  std::vector<files::PackEntry>& entries) {
    if (indexSize != place.size || indexSize < 4 || Crc32(index, indexSize) != place.checksum)
        return false;
    const uint32_t count = files::ReadLe32(index);
    // Every entry takes at least 20 bytes, which bounds the count before anything is reserved.
    constexpr size_t kSmallestEntry = 1 + 1 + 4 + 4 + 2 + 4 + 4;
    if (count > (indexSize - 4) / kSmallestEntry) return false;
    entries.reserve(count);
    size_t at = 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (at >= indexSize) return false;
        const size_t nameLength = static_cast<unsigned char>(index[at++]);
        if (nameLength == 0 || indexSize - at < nameLength + 18) return false;
        files::PackEntry entry;
        entry.name.assign(index + at, nameLength);
        at += nameLength;
        entry.offset = files::ReadLe32(index + at);
        entry.size = files::ReadLe32(index + at + 4);
        entry.method = files::ReadLe16(index + at + 8);
        entry.expandedSize = files::ReadLe32(index + at + 10);
        entry.checksum = files::ReadLe32(index + at + 14);
        at += 18;
        if (entry.offset < files::kPackHeaderSize ||
            static_cast<uint64_t>(entry.offset) + entry.size > place.offset ||
            entry.name.find('\0') != std::string::npos)
            return false;
        entries.push_back(std::move(entry));
    }
    return at == indexSize;
}

} // namespace

bool files::ParsePackHeader(const char* header, size_t headerSize, uint64_t fileSize,
                            files::PackIndexPlace& place) {
    if (headerSize < files::kPackHeaderSize || std::memcmp(header, kMarker, 3) != 0 ||
        static_cast<uint8_t>(header[3]) != kVersion)
        return false;
    place.offset = files::ReadLe32(header + 4);
    place.size = files::ReadLe32(header + 8);
    place.checksum = files::ReadLe32(header + 12);
    return place.offset >= files::kPackHeaderSize && place.size <= kLargestIndex &&
           static_cast<uint64_t>(place.offset) + place.size <= fileSize;
}

bool files::ParsePackIndex(const char* index, size_t indexSize, const files::PackIndexPlace& place,
                           std::vector<files::PackEntry>& entries) {
    entries.clear();
    // A damaged index gives no entries at all, not the ones read before the damage.
    std::vector<files::PackEntry> read;
    if (!ParseEntries(index, indexSize, place, read)) return false;
    entries = std::move(read);
    return true;
}

bool files::PackEntryWithinBounds(const files::PackEntry& entry) {
    const uint64_t ratio = entry.method == static_cast<uint16_t>(files::PackMethod::Dictionary)
                               ? kDictionaryRatio
                               : kDeflateRatio;
    return entry.expandedSize <= files::kLargestPackEntry &&
           entry.expandedSize <= ratio * entry.size;
}

bool files::ExpandPackEntry(const files::PackEntry& entry, const char* stored, std::string& out) {
    out.clear();
    return files::PackEntryWithinBounds(entry) &&
           files::PackExpand(entry.method, stored, entry.size, entry.expandedSize, out) &&
           Crc32(out.data(), out.size()) == entry.checksum;
}

bool files::ReadPackIndex(int packFd, std::vector<files::PackEntry>& entries) {
    entries.clear();
    struct stat info;
    if (fstat(packFd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string header, index;
    files::PackIndexPlace place;
    return ReadAt(packFd, 0, files::kPackHeaderSize, header) &&
           files::ParsePackHeader(header.data(), header.size(), static_cast<uint64_t>(info.st_size),
                                  place) &&
           ReadAt(packFd, place.offset, place.size, index) &&
           files::ParsePackIndex(index.data(), index.size(), place, entries);
}

bool files::ReadPackEntry(int packFd, const files::PackEntry& entry, std::string& content) {
    std::string stored;
    content.clear();
    return files::PackEntryWithinBounds(entry) &&
           ReadAt(packFd, entry.offset, entry.size, stored) &&
           files::ExpandPackEntry(entry, stored.data(), content);
}

const files::PackEntry* files::FindPackEntry(const std::vector<files::PackEntry>& entries,
                                             const std::string& name) {
    const std::string wanted = files::PlatformPath(name);
    for (const files::PackEntry& entry : entries) {
        if (entry.name.size() == wanted.size() &&
            strncasecmp(files::PlatformPath(entry.name).c_str(), wanted.c_str(), wanted.size()) ==
                0)
            return &entry;
    }
    return nullptr;
}

std::string files::BuildPack(const std::vector<files::PackSource>& sources,
                             files::PackMethod method, std::string& error) {
    std::string pack(files::kPackHeaderSize, '\0');
    std::string index;
    files::AppendLe32(index, static_cast<uint32_t>(sources.size()));
    for (const files::PackSource& source : sources) {
        if (source.name.empty() || source.name.size() > 255 ||
            source.name.find('\0') != std::string::npos) {
            error = "unusable name in a pack (1 to 255 bytes): \"" + source.name + "\"";
            return std::string();
        }
        if (source.content.size() > files::kLargestPackEntry) {
            error = "file too large for a pack: \"" + source.name + "\"";
            return std::string();
        }
        const std::string stored =
            files::PackCompress(method, source.content.data(), source.content.size());
        if (pack.size() + stored.size() > UINT32_MAX - (1u << 24)) {
            error = "pack larger than 4 GiB";
            return std::string();
        }
        index.push_back(static_cast<char>(source.name.size()));
        index += files::PlatformPath(source.name);
        files::AppendLe32(index, static_cast<uint32_t>(pack.size()));
        files::AppendLe32(index, static_cast<uint32_t>(stored.size()));
        files::AppendLe16(index, static_cast<uint16_t>(method));
        files::AppendLe32(index, static_cast<uint32_t>(source.content.size()));
        files::AppendLe32(index, Crc32(source.content.data(), source.content.size()));
        pack += stored;
    }
    std::string header(kMarker, 3);
    header.push_back(static_cast<char>(kVersion));
    files::AppendLe32(header, static_cast<uint32_t>(pack.size()));
    files::AppendLe32(header, static_cast<uint32_t>(index.size()));
    files::AppendLe32(header, Crc32(index.data(), index.size()));
    pack.replace(0, files::kPackHeaderSize, header);
    if (pack.size() + index.size() > UINT32_MAX) {
        error = "pack larger than 4 GiB";
        return std::string();
    }
    return pack + index;
}
