#include "files/AtomicFile.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FilePaths.h"

namespace {

// Permissions for the new file: those of the file it replaces, else what a plain create would
// give under the current umask.
mode_t PermissionsFor(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& content) {
    // The temporary file lies in the target's own folder: a rename within one file system is
    // atomic, so readers see either the old or the new file, never a mix.
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = fchmod(fd, PermissionsFor(path)) == 0 && WriteAll(fd, content.data(), content.size());
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}
