// Operating-system services that need no window: paths, the debugger.
#pragma once

#include <string>

namespace os {

// Full path of the running program, "" when it cannot be read.
std::string ExecutablePath();
// The path from the root for a path taken relative to the current directory now ("" stays "",
// and a path stays as it was when the current directory cannot be known).
std::string AbsolutePath(const std::string& path);
bool ChangeDirectory(const std::string& path);
// A text that stays the same for this machine across runs and boots (its machine id); "" when
// there is none.
std::string MachineIdentity();
// True when a debugger (any tracer) is attached to this process.
bool DebuggerAttached();
// Text for an attached debugger; it reads standard error.
void DebugOutput(const std::string& text);

} // namespace os
