// Fuzzes line files: any bytes load as up to 256 lines of at most 1024 bytes without a zero
// byte, and lines written back read back the same, full-length ones included.
#include "FuzzFiles.h"
#include "files/LineFileCache.h"
#include "files/ResourceResolver.h"
#include "files/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzfiles::Write("lines.txt", data, size);
    ResourceResolver resolver(fuzzfiles::Folder());
    LineFileCache cache;
    fuzzfiles::Check(cache.Select(path, resolver) == LineFileCache::Selection::Loaded);
    std::string lines[LineFileCache::kLineCount];
    for (int i = 0; i < LineFileCache::kLineCount; ++i) {
        lines[i] = cache.Line(i);
        fuzzfiles::Check(lines[i].size() <= files::kLineLimit &&
                         lines[i].find('\0') == std::string::npos);
    }
    // Changed and written back, then read again through another selection.
    cache.SetLine(LineFileCache::kLineCount - 1, lines[0]);
    cache.Select(fuzzfiles::Folder() + "other.txt", resolver);
    LineFileCache again;
    fuzzfiles::Check(again.Select(path, resolver) == LineFileCache::Selection::Loaded);
    lines[LineFileCache::kLineCount - 1] = lines[0];
    for (int i = 0; i < LineFileCache::kLineCount; ++i)
        fuzzfiles::Check(again.Line(i) == lines[i]);
    return 0;
}
