// A fresh temporary folder for a test, removed with everything in it afterwards. The child
// process of a death test runs the test afresh: its folders are the parent's, made in the same
// order, and the parent removes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes the bytes into a file of the folder and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }

  private:
    std::string path_;
    std::string variable_;
    bool owner_ = true;
};

// Points TMPDIR and the runtime's setting read from it (and so the runtime log) at a folder for
// as long as the object lives.
class ScopedTmpDir {
  public:
    explicit ScopedTmpDir(const std::string& path);
    ~ScopedTmpDir();

  private:
    std::string old_;
    bool hadOld_ = false;
    std::string oldSetting_;
};

// The whole content of a file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
