#include "files/FileChannel.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FilePaths.h"
#include "files/TextLines.h"

bool FileChannel::OpenForReading(const std::string& path) {
    Close();
    const int fd = files::OpenFileForReading(path, &size_);
    if (fd < 0) return false;
    fd_ = fd;
    return true;
}

bool FileChannel::OpenForWriting(const std::string& path) {
    Close();
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    writing_ = fd_ >= 0;
    return fd_ >= 0;
}

void FileChannel::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    writing_ = false;
    size_ = position_ = 0;
    pending_.clear();
}

bool FileChannel::AtEnd() {
    if (fd_ < 0 || writing_ || size_ > 0) return size_ <= position_;
    return pending_.empty() && !ReadAhead();
}

bool FileChannel::ReadAhead() {
    const size_t had = pending_.size();
    if (had >= files::kLineWithEndLimit) return false;
    pending_.resize(files::kLineWithEndLimit);
    ssize_t got;
    do {
        got = read(fd_, pending_.data() + had, files::kLineWithEndLimit - had);
    } while (got < 0 && errno == EINTR);
    pending_.resize(had + (got > 0 ? static_cast<size_t>(got) : 0));
    return got > 0;
}

size_t FileChannel::Read(void* data, size_t count) {
    if (fd_ < 0) return 0;
    const size_t fromPending = std::min(count, pending_.size());
    pending_.copy(static_cast<char*>(data), fromPending);
    pending_.erase(0, fromPending);
    const size_t got = fromPending + files::ReadUpTo(fd_, static_cast<char*>(data) + fromPending,
                                                     count - fromPending);
    position_ += got;
    return got;
}

bool FileChannel::Write(const void* data, size_t count) {
    if (fd_ < 0) return false;
    // Bytes read ahead were not used: the write goes where the reading stood.
    if (!pending_.empty()) {
        lseek(fd_, -static_cast<off_t>(pending_.size()), SEEK_CUR);
        pending_.clear();
    }
    return files::WriteAll(fd_, data, count);
}

bool FileChannel::ReadLine(std::string& line) {
    line.clear();
    if (fd_ < 0) return false;
    // Enough for a line: up to its end, a full line and its line end, or the end of the file. A
    // pipe's bytes come as they are written, so a line end already there stops the waiting.
    while (pending_.find('\n') == std::string::npos && ReadAhead()) {
    }
    if (pending_.empty()) return false;
    size_t consumed = 0;
    line = files::SplitLine(pending_.data(), pending_.size(), consumed);
    pending_.erase(0, consumed);
    position_ += consumed;
    return true;
}
