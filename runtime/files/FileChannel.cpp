#include "files/FileChannel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FilePaths.h"
#include "files/TextLines.h"

bool FileChannel::OpenForReading(const std::string& path) {
    Close();
    const int fd = OpenFileForReading(path, &size_);
    if (fd < 0) return false;
    fd_ = fd;
    return true;
}

bool FileChannel::OpenForWriting(const std::string& path) {
    Close();
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd_ >= 0;
}

void FileChannel::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    size_ = position_ = 0;
}

size_t FileChannel::Read(void* data, size_t count) {
    if (fd_ < 0) return 0;
    const size_t got = ReadUpTo(fd_, data, count);
    position_ += got;
    return got;
}

bool FileChannel::Write(const void* data, size_t count) {
    return fd_ >= 0 && WriteAll(fd_, data, count);
}

bool FileChannel::ReadLine(std::string& line) {
    line.clear();
    if (fd_ < 0) return false;
    char buffer[kLineLimit];
    const size_t got = ReadUpTo(fd_, buffer, sizeof(buffer));
    if (got == 0) return false;
    size_t consumed = 0;
    line = SplitLine(buffer, got, consumed);
    // The next read starts right behind this line's end.
    if (consumed < got) lseek(fd_, -static_cast<off_t>(got - consumed), SEEK_CUR);
    position_ += consumed;
    return true;
}
