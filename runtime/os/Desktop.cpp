#include "os/Desktop.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "os/Process.h"

namespace os {
namespace {

// xterm in slave mode writes its window id and a line end to the terminal first; that line is
// not for the program. Waits a few seconds at most.
void SkipTerminalGreeting(int terminal) {
    pollfd entry{terminal, POLLIN, 0};
    char c;
    while (poll(&entry, 1, 5000) > 0 && read(terminal, &c, 1) == 1 && c != '\n') {
    }
}

std::string JoinPatterns(const std::vector<std::string>& patterns) {
    std::string text;
    for (const std::string& pattern : patterns)
        text += (text.empty() ? "" : " ") + pattern;
    return text;
}

std::vector<std::string> ZenityArguments(const FileDialogRequest& request) {
    std::vector<std::string> arguments = {"zenity", "--file-selection",
                                          request.open ? "--title=Open File" : "--title=Save File",
                                          "--filename=" + request.folder + "/"};
    if (!request.open) {
        arguments.push_back("--save");
        arguments.push_back("--confirm-overwrite");
    }
    for (const FileFilter& filter : request.filters)
        arguments.push_back("--file-filter=" + filter.description + " | " +
                            JoinPatterns(filter.patterns));
    return arguments;
}

std::vector<std::string> KdialogArguments(const FileDialogRequest& request) {
    std::string filters;
    for (const FileFilter& filter : request.filters)
        filters += (filters.empty() ? "" : "\n") + JoinPatterns(filter.patterns) + "|" +
                   filter.description;
    return {"kdialog",
            "--title",
            request.open ? "Open File" : "Save File",
            request.open ? "--getopenfilename" : "--getsavefilename",
            request.folder + "/",
            filters};
}

} // namespace

ConsoleResult OpenConsoleWindow() {
    if (isatty(STDOUT_FILENO)) return ConsoleResult::AlreadyTerminal;
    // The terminal program gets the controlling side as an inherited descriptor; this process
    // keeps the other side as its standard streams.
    const int controller = posix_openpt(O_RDWR | O_NOCTTY);
    if (controller < 0) return ConsoleResult::NoTerminal;
    const char* name = ptsname(controller);
    const int terminal = grantpt(controller) == 0 && unlockpt(controller) == 0 && name
                             ? open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)
                             : -1;
    if (terminal < 0) {
        close(controller);
        return ConsoleResult::NoTerminal;
    }
    const std::string terminalName = name;
    const std::string leaf = terminalName.substr(terminalName.find_last_of('/') + 1);
    ProcessOptions options;
    options.detach = true;
    const bool started =
        RunProcess({"xterm", "-title", "Console", "-S" + leaf + "/" + std::to_string(controller)},
                   options, nullptr);
    close(controller);
    if (!started) {
        close(terminal);
        return ConsoleResult::NoTerminal;
    }
    SkipTerminalGreeting(terminal);
    // The terminal stays open until the streams hold it: a terminal that nobody holds for a
    // moment is hung up, and the terminal program would end.
    std::fflush(stdout);
    const bool reopened = std::freopen(terminalName.c_str(), "r", stdin) &&
                          std::freopen(terminalName.c_str(), "w", stdout);
    close(terminal);
    return reopened ? ConsoleResult::Opened : ConsoleResult::NoTerminal;
}

DialogResult ChooseFile(const FileDialogRequest& request, std::string& chosen) {
    chosen.clear();
    for (const auto& arguments : {ZenityArguments(request), KdialogArguments(request)}) {
        std::string output;
        const int status = RunAndCapture(arguments, output);
        if (status < 0) continue; // not installed: try the next one
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
            output.pop_back();
        if (status != 0 || output.empty()) return DialogResult::Cancelled;
        chosen = output;
        return DialogResult::Chosen;
    }
    return DialogResult::NoDialogProgram;
}

const char* DialogProgramNames() {
    return "zenity, kdialog";
}

} // namespace os
