#include "FileTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/ResourceLookup.h"
#include "support/TempDir.h"

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return remove(path);
}

// The child process of a death test runs the test again from its start: it works in the
// parent's folder, which the parent names through the environment and removes itself.
constexpr const char* kFolderVariable = "VORNIC_FILES_TEST_FOLDER";

} // namespace

void TempFolderTest::SetUp() {
    char cwd[4096];
    previous_ = getcwd(cwd, sizeof(cwd)) ? cwd : "/";
    const char* parentFolder = std::getenv(kFolderVariable);
    ownsFolder_ = !(InsideDeathTestChild() && parentFolder);
    if (ownsFolder_) {
        std::string pattern = Rt().settings.tempDirectory + "vornic-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern + "/";
        setenv(kFolderVariable, folder_.c_str(), 1);
    } else {
        folder_ = parentFolder;
    }
    ASSERT_EQ(chdir(folder_.c_str()), 0);
    StartFileDevices(Rt());
}

void TempFolderTest::TearDown() {
    WriteBackDataFiles();
    ReleaseResourceLookups();
    Rt().files.reset();
    ASSERT_EQ(chdir(previous_.c_str()), 0);
    if (!ownsFolder_) return;
    unsetenv(kFolderVariable);
    nftw(folder_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}
