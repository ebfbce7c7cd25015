// The runtime log, "ErrorLog.txt" in the temporary directory, and the end of the program.
#pragma once

#include <string>

namespace runlog {

// Full path of the log file in folder (which ends with '/').
std::string Path(const std::string& folder);
// Deletes the log of the last run (and its per-user stand-in, see Append).
void Delete(const std::string& folder);
// Appends text and "\r\n" to the log, creating it (mode 0600) when missing. The log is never
// opened through a link nor when it is another user's: a link that is ours to remove is
// removed, otherwise the log goes to "ErrorLog-<uid>.txt" beside it. A failure is said on
// standard error unless troubleTold is set, which it then sets; the program goes on.
void Append(const std::string& folder, const std::string& text, bool& troubleTold);

} // namespace runlog

// The exit status of a program that ends with this error number: 0 for none, the number
// itself when it is a valid status (1..255), 1 otherwise.
int ExitStatusFor(double errorNumber);

// The log and the end as the rest of the runtime reaches them: they find the folder (the
// settings' temporary directory) and their state in the context (core/ErrorCommands.cpp).
std::string LogFilePath();
void DeleteLogFile();
void AppendLogLine(const std::string& text);
// Notes a load that failed as one log line: command("file name"): why.
void LogFailedLoad(const char* command, const std::string& fileName, const std::string& why);

// Registers a step that EndProgram runs before the process exits; a step registered twice runs
// once. Steps run in the order they were first registered.
void RunAtEnd(void (*step)());

// Ends the program the ordinary way (the game returned, the window was closed, a replay is
// over): exit status 0 even when an error number was recorded earlier without ending the
// program.
[[noreturn]] void EndProgramNormally();
