#include "files/FilePaths.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string PlatformPath(const std::string& name) {
    std::string path = name;
    SlashesToForward(path);
    return path;
}

void SlashesToForward(std::string& text) {
    std::replace(text.begin(), text.end(), '\\', '/');
}

int OpenFileForReading(const std::string& path, uint64_t* size) {
    if (path.empty()) return -1;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        return -1;
    }
    if (size) *size = static_cast<uint64_t>(info.st_size);
    return fd;
}

bool IsReadableFile(const std::string& path) {
    const int fd = OpenFileForReading(path, nullptr);
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& content, size_t maxBytes) {
    content.clear();
    const int fd = OpenFileForReading(path, nullptr);
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

bool WriteAll(int fd, const void* data, size_t size) {
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

size_t ReadUpTo(int fd, void* data, size_t count) {
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
