// Resource packs: many asset files in one file, each entry compressed. The byte layout is
// described in docs/resource-packs.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/PackCodec.h"

namespace files {

constexpr size_t kPackHeaderSize = 16;
// The largest entry a pack may hold, expanded: a pack is read into memory entry by entry.
constexpr uint32_t kLargestPackEntry = 64u << 20;

struct PackEntry {
    std::string name;    // as stored, folders separated by "/"
    uint32_t offset = 0; // of the stored bytes, from the start of the pack
    uint32_t size = 0;   // stored (compressed) bytes
    uint16_t method = 0; // PackMethod
    uint32_t expandedSize = 0;
    uint32_t checksum = 0; // CRC-32 of the expanded bytes
};

// Where the index lies, read from the 16-byte header; false when the header is not a pack's
// or the index does not lie within fileSize.
struct PackIndexPlace {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t checksum = 0;
};
bool ParsePackHeader(const char* header, size_t headerSize, uint64_t fileSize,
                     PackIndexPlace& place);
// Reads the index bytes found at that place; false when the checksum does not match, an entry
// is cut off or its name runs past it, or an entry's data does not lie between the header and
// the index.
bool ParsePackIndex(const char* index, size_t indexSize, const PackIndexPlace& place,
                    std::vector<PackEntry>& entries);
// Whether an entry's expanded size is one its stored bytes can give (at most 1032 times them
// for deflate, 16 times for the dictionary coder) and at most kLargestPackEntry. An entry
// outside these bounds is damaged: it is never expanded, so a decompression bomb costs nothing.
bool PackEntryWithinBounds(const PackEntry& entry);
// Expands an entry's stored bytes and checks bounds, size and checksum.
bool ExpandPackEntry(const PackEntry& entry, const char* stored, std::string& out);
// The first entry whose name equals name, without regard to ASCII case and with "\\" taken as
// "/"; null when there is none.
const PackEntry* FindPackEntry(const std::vector<PackEntry>& entries, const std::string& name);

// Reads the header and the index of an open pack file; false when it is no pack or damaged.
bool ReadPackIndex(int packFd, std::vector<PackEntry>& entries);
// Reads and expands one entry of an open pack file; false when it is damaged.
bool ReadPackEntry(int packFd, const PackEntry& entry, std::string& content);

// One file to put into a pack: its name inside the pack and its bytes.
struct PackSource {
    std::string name;
    std::string content;
};
// The bytes of a pack holding the sources, each compressed with method. Names longer than 255
// bytes or empty ones make the result empty and set error.
std::string BuildPack(const std::vector<PackSource>& sources, PackMethod method,
                      std::string& error);

} // namespace files
