// The log of printed texts: with VORNIC_PRINT_LOG=<file> every text printed on the screen is
// written there with its frame and position, so that a test can check what the screens said.
#pragma once

#include <cstddef>
#include <fstream>
#include <memory>
#include <string>

// Opens the log at path (start-up); nothing when path is empty or the file cannot be written,
// which is said on standard error.
std::unique_ptr<std::ofstream> OpenPrintLog(const std::string& path);
// Notes one printed text in log: "<frame> <x> <y> <text>". A log that cannot be written (at
// path) is said once and dropped: the run goes on without it.
void LogPrintedText(std::unique_ptr<std::ofstream>& log, const std::string& path, long frame,
                    const char* text, size_t length, double x, double y);
