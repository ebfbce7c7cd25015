// Starting other programs, without a shell: what game code names is run directly, so "$", ";"
// and "|" in a name are just characters.
#pragma once

#include <string>
#include <vector>

namespace os {

// Splits a command line into arguments: blanks and tabs separate them, double quotes group
// blanks into one argument and are themselves dropped ("a \"b c\"d" gives a, b cd).
std::vector<std::string> SplitCommandLine(const std::string& line);

struct ProcessOptions {
    // Wait for the program to end.
    bool wait = false;
    // When false, the program's standard streams go to /dev/null instead of ours.
    bool showOutput = true;
    // A session of its own, so that it outlives this process.
    bool detach = false;
};

// Starts arguments[0] (searched for in PATH). exitCode gets the program's exit status when
// waited for, or 128 + the signal that ended it. False when it could not be started.
bool RunProcess(const std::vector<std::string>& arguments, const ProcessOptions& options,
                int* exitCode);

// Runs a program to its end and collects its standard output. The exit status, or -1 when it
// could not be started.
int RunAndCapture(const std::vector<std::string>& arguments, std::string& output);

} // namespace os
