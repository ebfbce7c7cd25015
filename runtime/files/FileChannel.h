// One numbered file channel of game code: an open file with its read bookkeeping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FileChannel {
  public:
    FileChannel() = default;
    FileChannel(const FileChannel&) = delete;
    FileChannel& operator=(const FileChannel&) = delete;
    ~FileChannel() { Close(); }

    // Opens an existing file for reading; size is taken now, the position starts at 0.
    bool OpenForReading(const std::string& path);
    // Creates or empties a file for reading and writing; size and position stay 0.
    bool OpenForWriting(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // True when the read primitives have consumed the size known at opening (always true for
    // a channel opened for writing or closed).
    bool AtEnd() const { return size_ <= position_; }

    // Reads up to count bytes; gives how many arrived. The position advances by them.
    size_t Read(void* data, size_t count);
    // Writes all bytes; false when the channel is closed or not all of them were written.
    bool Write(const void* data, size_t count);
    // Reads one text line (see SplitLine); false when nothing at all was left to read.
    bool ReadLine(std::string& line);

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};
