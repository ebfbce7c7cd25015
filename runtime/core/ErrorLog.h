// The runtime log, "ErrorLog.txt" in the temporary directory.
#pragma once

#include <string>

// Full path of the log file.
std::string LogFilePath();
// Deletes the log of the last run (and its per-user stand-in, see AppendLogLine).
void DeleteLogFile();
// Appends text and "\r\n" to the log, creating it (mode 0600) when missing. The log is never
// opened through a link nor when it is another user's: a link that is ours to remove is
// removed, otherwise the log goes to "ErrorLog-<uid>.txt" beside it. Failures are said once
// on standard error; the program goes on.
void AppendLogLine(const std::string& text);
// Notes a load that failed as one log line: command("file name"): why.
void LogFailedLoad(const char* command, const std::string& fileName, const std::string& why);
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
