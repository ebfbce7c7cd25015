#include "core/ErrorLog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/ErrorCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "os/System.h"

std::string LogFilePath() {
    return Rt().settings.tempDirectory + "ErrorLog.txt";
}

void AppendLogLine(const std::string& text) {
    FILE* log = std::fopen(LogFilePath().c_str(), "ab");
    if (!log) return;
    std::fwrite(text.data(), 1, text.size(), log);
    std::fwrite("\r\n", 1, 2, log);
    std::fclose(log);
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

void RunAtEnd(void (*step)()) {
    std::vector<void (*)()>& steps = Rt().endSteps;
    if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.push_back(step);
}

void EndProgramNormally() {
    Rt().endingNormally = true;
    EndProgram();
}

void EndProgram() {
    Runtime& rt = Rt();
    for (void (*step)() : std::vector<void (*)()>(rt.endSteps))
        step();
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
