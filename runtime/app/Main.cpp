// The process entry point of every program built on the runtime.
#include <string>

#include <cstdio>

#include "app/AppCommands.h"
#include "app/Startup.h"
#include "core/ErrorLog.h"
#include "core/Runtime.h"

namespace {

// The command line after the program name, as one text; arguments that hold blanks are
// quoted again so that the text reads as it was typed.
std::string JoinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        const std::string arg = argv[i];
        const bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
        line += quote ? "\"" + arg + "\"" : arg;
    }
    return line;
}

// Settings, start-up, the game, the end.
[[noreturn]] void VornicMain(const std::string& commandLine) {
    Runtime& rt = Rt();
    rt.commandLine = commandLine;
    rt.settings = RuntimeSettings{};
    if (!StartRuntime(10, kGameTitle)) {
        std::fputs("The window or its OpenGL context could not be created.\n", stderr);
        rt.error.errorNumber = 1;
        EndProgram();
    }
    rt.error = ErrorRecord{};
    GameMain();
    EndProgramNormally();
}

} // namespace

int main(int argc, char** argv) {
    VornicMain(JoinArguments(argc, argv));
}
