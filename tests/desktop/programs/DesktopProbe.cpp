// A small program for the end-to-end desktop run. Its command line names what it does:
// "dialog" shows the open dialog and prints the answer and the working directory, "console"
// opens a console window and prints into it, "handle" prints the window's id, "movie <file>"
// plays the movie over and over until a key ends it. Then it runs until
// Escape ends it.
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "vornic.h"

const char kGameTitle[] = "DesktopProbe";

void GameMain() {
    // Each report is a line the driving script waits for: out as soon as it is written.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string mode = CommandLine().CText();
    for (int frame = 0; frame < 3; ++frame)
        PresentFrame();
    if (mode == "dialog") {
        const std::filesystem::path before = std::filesystem::current_path();
        std::printf("CHOSEN:%s\n", FileRequester("Pictures|*.bmp;*.png|Everything|*", 1).CText());
        std::printf("CWD:%s\n", std::filesystem::current_path() == before ? "same" : "changed");
    } else if (mode == "console") {
        OpenConsole();
        std::printf("%s\n", isatty(1) ? "TERMINAL" : "NO TERMINAL");
    } else if (mode.rfind("movie ", 0) == 0) {
        std::printf("MOVIE:%d\n", static_cast<int>(PlayMovie(mode.substr(6).c_str(), 1)));
    } else if (mode == "handle") {
        std::printf("HANDLE:%lld\n", static_cast<long long>(GetWindowHandle()));
    }
    for (;;)
        PresentFrame();
}
