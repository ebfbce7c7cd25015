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
    // a channel opened for writing or closed). Files that state no size (pipes, /proc files,
    // empty files) are at their end when a read gives nothing; that read may wait for a pipe's
    // writer.
    bool AtEnd();

    // Reads up to count bytes; gives how many arrived. The position advances by them.
    size_t Read(void* data, size_t count);
    // Writes all bytes; false when the channel is closed or not all of them were written.
    bool Write(const void* data, size_t count);
    // Reads one text line (see files::SplitLine); false when nothing at all was left to read.
    bool ReadLine(std::string& line);

  private:
    // Reads more bytes behind the pending ones, up to files::kLineWithEndLimit in all; false at the
    // end.
    bool ReadAhead();

    int fd_ = -1;
    bool writing_ = false;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
    // Bytes read from the file but not yet handed out: what a line read took beyond its line
    // end. Pipes cannot seek back, so those bytes wait here for the next read.
    std::string pending_;
};
