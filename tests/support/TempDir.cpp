#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/Runtime.h"

namespace {

// True inside the child process of a death test, a fresh run of the test program that
// inherits the parent's environment.
bool InsideDeathTestChild() {
    return !GTEST_FLAG_GET(internal_run_death_test).empty();
}

// The folders alive now; the n-th of them is named to a death test's child in this variable.
int liveFolders = 0;
std::string FolderVariable(int n) {
    return "VORNIC_TEST_FOLDER_" + std::to_string(n);
}

} // namespace

TempDir::TempDir() : variable_(FolderVariable(liveFolders++)) {
    const char* parents = std::getenv(variable_.c_str());
    owner_ = !(InsideDeathTestChild() && parents);
    std::string pattern = (std::filesystem::temp_directory_path() / "vornic-test-XXXXXX").string();
    if (!owner_)
        path_ = parents;
    else if (char* made = mkdtemp(pattern.data()))
        path_ = made;
    if (owner_) setenv(variable_.c_str(), path_.c_str(), 1);
}

TempDir::~TempDir() {
    --liveFolders;
    if (!owner_) return;
    unsetenv(variable_.c_str());
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    WriteWholeFile(File(name), bytes);
    return File(name);
}

ScopedTmpDir::ScopedTmpDir(const std::string& path) {
    if (const char* old = std::getenv("TMPDIR")) {
        old_ = old;
        hadOld_ = true;
    }
    setenv("TMPDIR", path.c_str(), 1);
    oldSetting_ = Rt().settings.tempDirectory;
    Rt().settings.tempDirectory = path.empty() || path.back() != '/' ? path + "/" : path;
}

ScopedTmpDir::~ScopedTmpDir() {
    if (hadOld_)
        setenv("TMPDIR", old_.c_str(), 1);
    else
        unsetenv("TMPDIR");
    Rt().settings.tempDirectory = oldSetting_;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    EXPECT_TRUE(out.good()) << path;
}
