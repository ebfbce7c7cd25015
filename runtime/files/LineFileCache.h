// The line-file cache: one text file held in memory as 256 numbered lines and written back
// lazily, when another file is selected or the program ends.
#pragma once

#include <array>
#include <string>

class ResourceResolver;

class LineFileCache {
  public:
    static constexpr int kLineCount = 256;

    enum class Selection {
        AlreadyCached, // the name was the cached one: nothing happened
        Loaded,        // the file was read
        Missing,       // the file could not be found: the cache is empty but named
    };
    // Makes name the cached file (compared exactly): writes the old file back when changed,
    // empties the cache and reads up to 256 lines of the new file.
    Selection Select(const std::string& name, ResourceResolver& resolver);
    // True when the cached file was found or has been written to since.
    bool HasContent() const { return found_ || changed_; }
    // line must lie in 0..255.
    const std::string& Line(int line) const { return lines_[line]; }
    // Stores text (cut to 1024 bytes) as the line, which must lie in 0..255.
    void SetLine(int line, const std::string& text);
    // Writes lines 0..last back to the cached file when changed; a failed write leaves the
    // file as it was. Afterwards the cache counts as unchanged.
    void WriteBack();

  private:
    std::string name_;
    std::array<std::string, kLineCount> lines_;
    int lastLine_ = 0;
    bool changed_ = false;
    bool found_ = false;
};
