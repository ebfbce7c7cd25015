// A fresh temporary folder as the current folder for each files test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    // Saves and forgets the file state (channels, line file, INI store, resource lookups).
    void TearDown() override;
    // The folder, ending in "/".
    std::string Folder() const { return dir_.Path() + "/"; }

  private:
    TempDir dir_;
    std::filesystem::path previous_;
};
