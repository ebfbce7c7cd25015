// Replacing a file so that it is never seen half-written.
#pragma once

#include <cstddef>
#include <string>

// A file written in pieces beside its target and renamed over it only when Commit succeeds.
// Dropped without a commit, the pieces go and the target stays as it was.
class ReplacementFile {
  public:
    explicit ReplacementFile(const std::string& path);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // False when the temporary file could not be made.
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const void* data, size_t size);
    // Flushes, closes and renames over the target; false (and the target untouched) on any
    // failure, a failed Write before included.
    bool Commit();

  private:
    void Discard();

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};

namespace files {

// Writes content to a new file beside path and renames it over path. A crash or a failed
// write leaves the old file as it was; the result says whether path now holds content.
bool ReplaceFileContent(const std::string& path, const std::string& content);

} // namespace files
