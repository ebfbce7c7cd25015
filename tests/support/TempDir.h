// A fresh temporary folder for a test, removed with everything in it afterwards.
#pragma once

#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Points TMPDIR (and so the runtime log) at a folder for as long as the object lives.
class ScopedTmpDir {
  public:
    explicit ScopedTmpDir(const std::string& path);
    ~ScopedTmpDir();

  private:
    std::string old_;
    bool hadOld_ = false;
};

// The whole content of a file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExistsOnDisk(const std::string& path);
