// The log of printed texts: with VORNIC_PRINT_LOG=<file> every text printed on the screen is
// written there with its frame and position, so that a test can check what the screens said.
#pragma once

#include <cstddef>

// Opens the log that the settings name (VORNIC_PRINT_LOG), if any (start-up).
void OpenPrintLog();
// Notes one printed text: "<frame> <x> <y> <text>".
void LogPrintedText(const char* text, size_t length, double x, double y);
