// The runtime log, "ErrorLog.txt" in the temporary directory.
#pragma once

#include <string>

// Full path of the log file.
std::string LogFilePath();
// Appends text and "\r\n" to the log, creating it when missing; failures are ignored.
void AppendLogLine(const std::string& text);
// The exit status of a program that ends with this error number: 0 for none, the number
// itself when it is a valid status (1..255), 1 otherwise.
int ExitStatusFor(double errorNumber);

// Registers a step that EndProgram runs before the process exits; a step registered twice runs
// once. Steps run in the order they were first registered.
void RunAtEnd(void (*step)());

// Ends the program the ordinary way (the game returned, the window was closed, a replay is
// over): exit status 0 even when an error number was recorded earlier without ending the
// program.
[[noreturn]] void EndProgramNormally();
