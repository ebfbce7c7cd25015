// A fresh temporary folder as the current folder for each files test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"

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
