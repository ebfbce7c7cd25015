// Process start-up and shut-down.
#pragma once

#include <string>

// Builds every device in start-up order and shows "Loading...". Returns false when no window
// could be made; nothing else is created then.
bool StartRuntime(int showCommand, const std::string& title);
// Releases every device in shut-down order. Safe to call twice.
void ShutdownRuntime();
