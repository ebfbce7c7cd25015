// Process start-up and shut-down.
#pragma once

#include <string>

struct Runtime;

// Builds every device in start-up order and shows "Loading...". Returns false when no window
// could be made; nothing else is created then.
bool StartRuntime(int showCommand, const std::string& title);
// Releases every device in shut-down order. Safe to call twice.
void ShutdownRuntime();
// Makes the files devices that are missing (channels, line file and INI store; the two resource
// lookups) and has the end write changed data files back. Start-up calls it; so do tests that
// run file commands without a window.
void StartFileDevices(Runtime& rt);
