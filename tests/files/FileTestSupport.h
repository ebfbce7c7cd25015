// A fresh temporary folder as the current folder for each files test, and no error recorded.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/ResourceLookup.h"
#include "support/TempDir.h"

class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.Path());
        Rt().error = ErrorRecord{};
        StartFileDevices(Rt());
    }
    // Saves and forgets the file state (channels, line file, INI store, resource lookups).
    void TearDown() override {
        WriteBackDataFiles();
        ReleaseResourceLookups();
        Rt().files.reset();
        std::filesystem::current_path(previous_);
    }
    // The folder, ending in "/".
    std::string Folder() const { return dir_.Path() + "/"; }

  private:
    TempDir dir_;
    std::filesystem::path previous_;
};
