// Fuzzes line files: any bytes load as up to 256 lines of at most 1024 bytes without a zero
// byte, and lines written back read back the same, full-length ones included.
#include <cstring>

#include "FuzzFiles.h"
#include "files/LineFileCache.h"
#include "files/ResourceResolver.h"
#include "files/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzfiles::Write("lines.txt", data, size);
    ResourceResolver resolver(fuzzfiles::Folder());
    LineFileCache cache;
    if (cache.Select(path, resolver) != LineFileCache::Selection::Loaded) std::abort();
    std::string lines[LineFileCache::kLineCount];
    for (int i = 0; i < LineFileCache::kLineCount; ++i) {
        lines[i] = cache.Line(i);
        if (lines[i].size() > files::kLineLimit || lines[i].find('\0') != std::string::npos) std::abort();
    }
    // Changed and written back, then read again through another selection.
    cache.SetLine(LineFileCache::kLineCount - 1, lines[0]);
    cache.Select(fuzzfiles::Folder() + "other.txt", resolver);
    LineFileCache again;
    if (again.Select(path, resolver) != LineFileCache::Selection::Loaded) std::abort();
    lines[LineFileCache::kLineCount - 1] = lines[0];
    for (int i = 0; i < LineFileCache::kLineCount; ++i)
        if (again.Line(i) != lines[i]) std::abort();
    return 0;
}
