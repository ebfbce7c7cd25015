#include "core/ErrorLog.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/Number.h"

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
std::string PerUserLogPath(const std::string& folder) {
    return folder + "ErrorLog-" + std::to_string(geteuid()) + ".txt";
}

// Says so on standard error, once per run, when the log cannot be written as asked.
void TellOnce(bool& told, const std::string& message) {
    if (told) return;
    told = true;
    std::fprintf(stderr, "vornic: %s\n", message.c_str());
}

int OpenLog(const std::string& folder, bool& troubleTold) {
    const std::string path = runlog::Path(folder);
    int fd = OpenOwnLog(path);
    if (fd >= 0) return fd;
    const int why = errno;
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        TellOnce(troubleTold, "cannot write the log " + path + " (" + std::strerror(why) + ")");
        return -1;
    }
    // A link or a file of someone else's: removed when ours to remove (our own directory, or
    // our own link in a shared one), else left alone for a name of this user's.
    if (unlink(path.c_str()) == 0) {
        fd = OpenOwnLog(path);
        if (fd >= 0) return fd;
    }
    const std::string ownPath = PerUserLogPath(folder);
    fd = OpenOwnLog(ownPath);
    TellOnce(troubleTold,
             fd >= 0 ? path + " is not a file of this user; the log goes to " + ownPath
                     : "cannot write the log " + ownPath + " (" + std::strerror(errno) + ")");
    return fd;
}

} // namespace

namespace runlog {

std::string Path(const std::string& folder) {
    return folder + "ErrorLog.txt";
}

void Delete(const std::string& folder) {
    unlink(Path(folder).c_str());
    unlink(PerUserLogPath(folder).c_str());
}

void Append(const std::string& folder, const std::string& text, bool& troubleTold) {
    const int fd = OpenLog(folder, troubleTold);
    if (fd < 0) return;
    const std::string line = text + "\r\n";
    const ssize_t written = write(fd, line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size()))
        TellOnce(troubleTold, "cannot write the log " + Path(folder) + " (" +
                                  (written < 0 ? std::strerror(errno) : "disk full") + ")");
    close(fd);
}

} // namespace runlog

int ExitStatusFor(double errorNumber) {
    if (errorNumber == 0.0) return 0;
    if (std::isnan(errorNumber)) return 1;
    int status = ToInt(errorNumber);
    return (status >= 1 && status <= 255) ? status : 1;
}
