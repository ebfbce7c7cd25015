#include "files/FilePaths.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string files::PlatformPath(const std::string& name) {
    std::string path = name;
    files::SlashesToForward(path);
    return path;
}

void files::SlashesToForward(std::string& text) {
    std::replace(text.begin(), text.end(), '\\', '/');
}

int files::OpenFileForReading(const std::string& path, uint64_t* size) {
    if (path.empty()) return -1;
    // Opened without waiting, so that a FIFO with no writer cannot hold a lookup or a load;
    // reads then wait as usual.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat info;
    const int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    if (size) *size = static_cast<uint64_t>(info.st_size);
    return fd;
}

bool files::IsReadableFile(const std::string& path) {
    const int fd = files::OpenFileForReading(path, nullptr);
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool files::ReadFileBytes(const std::string& path, std::string& content, size_t maxBytes) {
    content.clear();
    const int fd = files::OpenFileForReading(path, nullptr);
    if (fd < 0) return false;
    char block[65536];
    bool ok = true;
    while (content.size() < maxBytes) {
        const size_t want = std::min(sizeof(block), maxBytes - content.size());
        const ssize_t got = read(fd, block, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        content.append(block, static_cast<size_t>(got));
    }
    close(fd);
    return ok;
}

bool files::ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes,
                            uint64_t maxBytes) {
    bytes.clear();
    // Non-blocking, so that a FIFO without a writer is refused rather than waited for.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) <= maxBytes;
    if (ok) bytes.resize(static_cast<size_t>(info.st_size));
    // The size stated at opening is all that is read, even if the file grows meanwhile.
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        ok = got > 0;
        if (ok) done += static_cast<size_t>(got);
    }
    close(fd);
    if (!ok) bytes.clear();
    return ok;
}

bool files::WriteAll(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

size_t files::ReadUpTo(int fd, void* data, size_t count) {
    char* bytes = static_cast<char*>(data);
    size_t total = 0;
    while (total < count) {
        const ssize_t got = read(fd, bytes + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<size_t>(got);
    }
    return total;
}
