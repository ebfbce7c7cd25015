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

// The temporary file lies in the target's own folder: a rename within one file system is
// atomic, so readers see either the old or the new file, never a mix.
ReplacementFile::ReplacementFile(const std::string& path) : path_(path), temp_(path + ".XXXXXX") {
    fd_ = mkstemp(temp_.data());
    if (fd_ >= 0 && fchmod(fd_, PermissionsFor(path_)) != 0) Discard();
}

ReplacementFile::~ReplacementFile() {
    Discard();
}

bool ReplacementFile::Write(const void* data, size_t size) {
    if (fd_ < 0 || failed_) return false;
    failed_ = !files::WriteAll(fd_, data, size);
    return !failed_;
}

bool ReplacementFile::Commit() {
    if (fd_ < 0 || failed_) {
        Discard();
        return false;
    }
    bool ok = fsync(fd_) == 0;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok) ok = std::rename(temp_.c_str(), path_.c_str()) == 0;
    if (!ok) unlink(temp_.c_str());
    temp_.clear();
    return ok;
}

void ReplacementFile::Discard() {
    if (fd_ < 0) return;
    close(fd_);
    unlink(temp_.c_str());
    fd_ = -1;
}

bool files::ReplaceFileContent(const std::string& path, const std::string& content) {
    ReplacementFile file(path);
    return file.Write(content.data(), content.size()) && file.Commit();
}
