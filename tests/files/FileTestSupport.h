// A fresh temporary folder as the current folder for each files test, and small helpers to
// make and read files in it.
#pragma once

#include <gtest/gtest.h>

#include <string>

class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    // Saves and forgets the file state (channels, line file, INI store, resource lookups),
    // then removes the folder.
    void TearDown() override;
    // The folder, ending in "/".
    const std::string& Folder() const { return folder_; }

  private:
    std::string folder_;
    std::string previous_;
    bool ownsFolder_ = true;
};

void WriteTestFile(const std::string& path, const std::string& content);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadTestFile(const std::string& path);
bool TestFileExists(const std::string& path);
