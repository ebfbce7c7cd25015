// Fuzzes packs read from disk and extracted: the bytes are a pack file; every entry the index
// lists is looked up, and what is extracted must be exactly its stated size, within bounds.
#include <fcntl.h>
#include <sys/stat.h>

#include "FuzzFiles.h"
#include "files/ResourcePack.h"
#include "files/ResourceResolver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string packPath = fuzzfiles::Write("fuzz.sbx", data, size);
    std::vector<files::PackEntry> entries;
    const int fd = open(packPath.c_str(), O_RDONLY | O_CLOEXEC);
    fuzzfiles::Check(fd >= 0);
    const bool indexed = files::ReadPackIndex(fd, entries);
    close(fd);
    ResourceResolver resolver(fuzzfiles::Folder());
    resolver.SetPack(packPath);
    for (const files::PackEntry& entry : entries) {
        std::string path;
        if (!resolver.Resolve(entry.name, path)) continue;
        // Names that exist on disk resolve to themselves; only extractions are checked.
        if (path != resolver.Extraction()) continue;
        struct stat info;
        const files::PackEntry* found = files::FindPackEntry(entries, entry.name);
        fuzzfiles::Check(stat(path.c_str(), &info) == 0 && files::PackEntryWithinBounds(entry) &&
                         found && static_cast<uint64_t>(info.st_size) == found->expandedSize);
    }
    fuzzfiles::Check(indexed || entries.empty());
    return 0;
}
