// Fuzzes the resource pack reader: any bytes taken as a pack must be refused or read within
// bounds, and every entry either expands to its stated size or is refused.
#include "FuzzFiles.h"
#include "files/ResourcePack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    files::PackIndexPlace place;
    if (!files::ParsePackHeader(bytes, size, size, place)) return 0;
    std::vector<files::PackEntry> entries;
    if (!files::ParsePackIndex(bytes + place.offset, place.size, place, entries)) return 0;
    for (const files::PackEntry& entry : entries) {
        fuzzfiles::Check(static_cast<uint64_t>(entry.offset) + entry.size <= size);
        std::string content;
        fuzzfiles::Check(!files::ExpandPackEntry(entry, bytes + entry.offset, content) ||
                         content.size() == entry.expandedSize);
        files::FindPackEntry(entries, entry.name);
    }
    return 0;
}
