#include "os/Library.h"

#include <dlfcn.h>

namespace os {

void* OpenLibrary(const std::string& name) {
    // Every reference is resolved at once, so a library with missing dependencies fails here
    // rather than at some later call; its symbols stay its own.
    return name.empty() ? nullptr : dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* LibrarySymbol(void* library, const std::string& name) {
    return library ? dlsym(library, name.c_str()) : nullptr;
}

void CloseLibrary(void* library) {
    if (library) dlclose(library);
}

} // namespace os
