#include "FileTestSupport.h"

#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/ResourceLookup.h"

void TempFolderTest::SetUp() {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
}

void TempFolderTest::TearDown() {
    WriteBackDataFiles();
    ReleaseResourceLookups();
    Rt().files.reset();
    std::filesystem::current_path(previous_);
}
