#include "core/ErrorLog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/CoreCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "core/Startup.h"
#include "os/System.h"

std::string LogFilePath() {
    return os::TempDirectory() + "ErrorLog.txt";
}

void AppendLogLine(const std::string& text) {
    FILE* log = std::fopen(LogFilePath().c_str(), "ab");
    if (!log) return;
    std::fwrite(text.data(), 1, text.size(), log);
    std::fwrite("\r\n", 1, 2, log);
    std::fclose(log);
}

void LogFailedLoad(const char* command, const std::string& fileName, const std::string& why) {
    AppendLogLine(std::string(command) + "(\"" + fileName + "\"): " + why);
}

int ExitStatusFor(double errorNumber) {
    if (errorNumber == 0.0) return 0;
    if (std::isnan(errorNumber)) return 1;
    int status = ToInt(errorNumber);
    return (status >= 1 && status <= 255) ? status : 1;
}

double SetRuntimeError(double number) {
    Runtime& rt = Rt();
    rt.error.errorNumber = number;
    rt.error.errorLine = rt.error.currentLine;
    return number;
}

void SetCurrentLine(double tag, double line) {
    Runtime& rt = Rt();
    rt.error.currentLineTag = tag;
    rt.error.currentLine = line;
}

void WriteLog(const RtString& text) {
    if (Rt().settings.debugMode && os::DebuggerAttached()) {
        os::DebugOutput(std::string(text.CText()) + "\n");
        return;
    }
    AppendLogLine(text.Length() ? text.CText() : "null");
}

void EndProgramNormally() {
    Rt().endingNormally = true;
    EndProgram();
}

void EndProgram() {
    Runtime& rt = Rt();
    ShutdownRuntime();
    if (rt.settings.debugMode) {
        // "%d" of the truncated value: 9.7 is written as 9, -2.5 as -2.
        AppendLogLine("-End On Line");
        const double values[] = {rt.error.errorNumber, rt.error.errorLine, rt.error.currentLine,
                                 rt.error.currentLineTag};
        for (double value : values)
            AppendLogLine(std::to_string(ToInt(value)));
    }
    std::fflush(stdout);
    std::exit(rt.endingNormally ? 0 : ExitStatusFor(rt.error.errorNumber));
}
