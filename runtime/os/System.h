// Operating-system services that need no window: paths, the debugger.
#pragma once

#include <string>

namespace os {

// Full path of the running program, "" when it cannot be read.
std::string ExecutablePath();
bool ChangeDirectory(const std::string& path);
// A text that stays the same for this machine across runs and boots (its machine id); "" when
// there is none.
std::string MachineIdentity();
// True when a debugger (any tracer) is attached to this process.
bool DebuggerAttached();
// Text for an attached debugger; it reads standard error.
void DebugOutput(const std::string& text);

} // namespace os
