#include "platform/DllCache.h"

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
        // File names on this system are case-sensitive, so the name as given comes first.
        handle = os::OpenLibrary(library.CText());
        if (!handle) handle = os::OpenLibrary(lowerCaseName.CText());
        if (!handle) return {};
        entries_.push_back({lowerCaseName, handle});
    }
    return {true, os::LibrarySymbol(handle, function.CText())};
}

} // namespace platform
