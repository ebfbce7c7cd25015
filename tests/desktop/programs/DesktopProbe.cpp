// A small program for the end-to-end desktop run. Its command line names what it does:
// "dialog" shows the open dialog and prints the answer and the working directory, "console"
// opens a console window and prints into it, "handle" prints the window's id, "movie <file>"
// plays the movie over and over until a key ends it. Then it runs until
// Escape ends it.
#include <cstdio>
#include <string>
#include <unistd.h>

#include "vornic.h"

const char kGameTitle[] = "DesktopProbe";

namespace {

void Report(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::string WorkingDirectory() {
    char folder[1024];
    return getcwd(folder, sizeof folder) ? folder : "?";
}

} // namespace

void GameMain() {
    const std::string mode = CommandLine().CText();
    for (int frame = 0; frame < 3; ++frame)
        PresentFrame();
    if (mode == "dialog") {
        const std::string before = WorkingDirectory();
        const RtString chosen = FileRequester("Pictures|*.bmp;*.png|Everything|*", 1);
        Report("CHOSEN:" + std::string(chosen.CText()));
        Report(WorkingDirectory() == before ? "CWD:same" : "CWD:changed to " + WorkingDirectory());
    } else if (mode == "console") {
        OpenConsole();
        Report(isatty(1) ? "TERMINAL" : "NO TERMINAL");
    } else if (mode.rfind("movie ", 0) == 0) {
        const double result = PlayMovie(mode.substr(6).c_str(), 1);
        Report("MOVIE:" + std::to_string(static_cast<int>(result)));
    } else if (mode == "handle") {
        Report("HANDLE:" + std::to_string(static_cast<long long>(GetWindowHandle())));
    }
    for (;;)
        PresentFrame();
}
