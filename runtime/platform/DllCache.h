// The native libraries game code calls into: each loaded on first use, kept until the cache is
// released at shut-down.
#pragma once

#include <vector>

#include "text/RtString.h"

namespace platform {

struct ProcLookup {
    bool libraryLoaded = false;
    // Null when the library could not be loaded or has no function of that name.
    void* address = nullptr;
};

class DllCache {
  public:
    DllCache() = default;
    DllCache(const DllCache&) = delete;
    DllCache& operator=(const DllCache&) = delete;
    // Unloads every library, the last loaded first.
    ~DllCache();

    // The address of function (case-sensitive) in library. Library names are told apart
    // without regard to ASCII case; a library not yet loaded is loaded by its name as given
    // and, when that fails, by the lower-case name. A library that cannot be loaded is not
    // remembered, so the next lookup tries again; one without the function stays loaded.
    ProcLookup Find(const RtString& library, const RtString& function);
    // How many libraries are loaded.
    size_t Count() const { return entries_.size(); }

  private:
    struct Entry {
        RtString lowerCaseName;
        void* handle;
    };
    std::vector<Entry> entries_;
};

} // namespace platform
