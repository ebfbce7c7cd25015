#include "core/ErrorLog.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ErrorCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "os/System.h"

namespace {

// The temporary directory is shared with other users: the log is opened only as a plain file
// of this user with one name, never through a link someone planted there.
int OpenOwnLog(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
        info.st_nlink == 1)
        return fd;
    close(fd);
    errno = EPERM;
    return -1;
}

// Where the log goes when "ErrorLog.txt" is taken by something that is not ours.
std::string PerUserLogPath() {
    return Rt().settings.tempDirectory + "ErrorLog-" + std::to_string(geteuid()) + ".txt";
}

// Says so on standard error, once per run, when the log cannot be written as asked.
void TellOnce(const std::string& message) {
    static bool told = false;
    if (told) return;
    told = true;
    std::fprintf(stderr, "vornic: %s\n", message.c_str());
}

int OpenLog() {
    const std::string path = LogFilePath();
    int fd = OpenOwnLog(path);
    if (fd >= 0) return fd;
    const int why = errno;
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        TellOnce("cannot write the log " + path + " (" + std::strerror(why) + ")");
        return -1;
    }
    // A link or a file of someone else's: removed when ours to remove (our own directory, or
    // our own link in a shared one), else left alone for a name of this user's.
    if (unlink(path.c_str()) == 0) {
        fd = OpenOwnLog(path);
        if (fd >= 0) return fd;
    }
    const std::string ownPath = PerUserLogPath();
    fd = OpenOwnLog(ownPath);
    TellOnce(fd >= 0 ? path + " is not a file of this user; the log goes to " + ownPath
                     : "cannot write the log " + ownPath + " (" + std::strerror(errno) + ")");
    return fd;
}

} // namespace

std::string LogFilePath() {
    return Rt().settings.tempDirectory + "ErrorLog.txt";
}

void DeleteLogFile() {
    unlink(LogFilePath().c_str());
    unlink(PerUserLogPath().c_str());
}

void AppendLogLine(const std::string& text) {
    const int fd = OpenLog();
    if (fd < 0) return;
    const std::string line = text + "\r\n";
    const ssize_t written = write(fd, line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size()))
        TellOnce("cannot write the log " + LogFilePath() + " (" +
                 (written < 0 ? std::strerror(errno) : "disk full") + ")");
    close(fd);
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
