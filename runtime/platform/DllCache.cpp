#include "platform/DllCache.h"

#include "files/FilePaths.h"
#include "os/Library.h"
#include "text/TextCommands.h"

namespace platform {

DllCache::~DllCache() {
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
        os::CloseLibrary(entry->handle);
}

ProcLookup DllCache::Find(const RtString& library, const RtString& function) {
    const RtString lowerCaseName = LowerCase(library);
    void* handle = nullptr;
    for (const Entry& entry : entries_)
        if (entry.lowerCaseName == lowerCaseName) handle = entry.handle;
    if (!handle) {
        // File names on this system are case-sensitive, so the name as given comes first; "\\"
        // separates folders as in every other name from game code.
        handle = os::OpenLibrary(files::PlatformPath(library.CText()));
        if (!handle) handle = os::OpenLibrary(files::PlatformPath(lowerCaseName.CText()));
        if (!handle) return {};
        entries_.push_back({lowerCaseName, handle});
    }
    return {true, os::LibrarySymbol(handle, function.CText())};
}

} // namespace platform
