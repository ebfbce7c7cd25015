// The error and end commands, and the log's entry points: the one place in core that reaches
// the context.
#include "core/ErrorCommands.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"

std::string LogFilePath() {
    return runlog::Path(Rt().settings.tempDirectory);
}

void DeleteLogFile() {
    runlog::Delete(Rt().settings.tempDirectory);
}

void AppendLogLine(const std::string& text) {
    Runtime& rt = Rt();
    runlog::Append(rt.settings.tempDirectory, text, rt.logTroubleTold);
}

void LogFailedLoad(const char* command, const std::string& fileName, const std::string& why) {
    AppendLogLine(std::string(command) + "(\"" + fileName + "\"): " + why);
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
