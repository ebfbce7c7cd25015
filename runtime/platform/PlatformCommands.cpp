#include "platform/PlatformCommands.h"

#include "core/Runtime.h"
#include "os/System.h"
#include "platform/DllCache.h"
#include "text/TextCommands.h"

void GetDllProc(RtString& libraryName, const RtString& functionName, void*& address) {
    const RtString givenName = libraryName;
    libraryName = LowerCase(libraryName);
    address = nullptr;
    Runtime& rt = Rt();
    if (!rt.libraries) return;
    const platform::ProcLookup lookup = rt.libraries->Find(givenName, functionName);
    if (!lookup.libraryLoaded && rt.settings.debugMode && os::DebuggerAttached())
        os::DebugOutput(std::string("Failed to load: ") + libraryName.CText() + "TX");
    address = lookup.address;
}
