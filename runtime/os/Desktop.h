// The desktop around the game window: a console window for the standard streams and the
// desktop's file dialog. Both run programs of the desktop (a terminal, a dialog program).
#pragma once

#include <string>
#include <vector>

namespace os {

enum class ConsoleResult {
    AlreadyTerminal, // standard output already goes to a terminal: nothing changed
    Opened,          // a terminal window now holds standard input and output
    NoTerminal,      // no terminal program could be started: nothing changed
};

// Opens a terminal window (xterm, over a pseudo-terminal) and re-opens standard input and
// output on it, unless standard output is a terminal already.
ConsoleResult OpenConsoleWindow();

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.bmp", "*.png"
};

struct FileDialogRequest {
    std::vector<FileFilter> filters;
    bool open = true; // else a save dialog, which asks before overwriting
    std::string folder;
};

enum class DialogResult { Chosen, Cancelled, NoDialogProgram };

// Shows the desktop's file dialog (zenity, else kdialog) and waits for it.
DialogResult ChooseFile(const FileDialogRequest& request, std::string& chosen);
// The dialog programs tried, in order, for messages.
const char* DialogProgramNames();

} // namespace os
