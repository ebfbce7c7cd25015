// Shared libraries loaded while the program runs, behind the platform seam.
#pragma once

#include <string>

namespace os {

// Loads a library by path or by a name the loader searches for; null when it cannot be
// loaded. Every library opened must be closed once.
void* OpenLibrary(const std::string& name);
// The address of an exported function or variable; null when the library has none by that name.
void* LibrarySymbol(void* library, const std::string& name);
void CloseLibrary(void* library);

} // namespace os
