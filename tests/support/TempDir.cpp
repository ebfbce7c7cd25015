#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/Runtime.h"

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornic-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
}

TempDir::~TempDir() {
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

bool InsideDeathTestChild() {
    return !GTEST_FLAG_GET(internal_run_death_test).empty();
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

bool FileExistsOnDisk(const std::string& path) {
    return std::filesystem::exists(path);
}
