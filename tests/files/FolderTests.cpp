// Whole-file helpers, the current folder, folder listings and wildcard patterns.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/FileCommands.h"
#include "text/StrArray.h"

namespace {

using WholeFileTest = TempFolderTest;
using FolderTest = TempFolderTest;

TEST_F(WholeFileTest, SizeExistenceRemovalAndCopiesOfFilesButNotOfFolders) {
    WriteWholeFile("five.txt", "12345");
    WriteWholeFile("empty.txt", "");
    ASSERT_EQ(mkdir("a", 0755), 0);
    WriteWholeFile("a/b.txt", "xy");
    // Name -> size and existence.
    const std::tuple<const char*, double, double> rows[] = {
        {"five.txt", 5, 1}, {"empty.txt", 0, 1}, {"missing.txt", 0, 0},
        {"a", 0, 0},        {"", 0, 0},          {"a\\b.txt", 2, 1}};
    for (const auto& [name, size, exists] : rows) {
        EXPECT_EQ(FileSize(name), size) << name;
        EXPECT_EQ(FileExists(name), exists) << name;
    }
    RemoveFile("five.txt");
    RemoveFile("five.txt"); // a missing file is ignored
    RemoveFile("a");
    EXPECT_FALSE(std::filesystem::exists("five.txt"));
    EXPECT_TRUE(std::filesystem::exists("a")) << "a folder is not removed";
    // A copy takes every byte, or leaves everything alone.
    std::string content;
    for (int i = 0; i < 10000; ++i)
        content += static_cast<char>(i * 7);
    WriteWholeFile("source.bin", content);
    DuplicateFile("source.bin", "empty.txt");
    EXPECT_EQ(ReadWholeFile("empty.txt"), content);
    // A missing source, the file onto itself, a destination that cannot be created.
    DuplicateFile("missing.bin", "a/b.txt");
    DuplicateFile("a\\b.txt", "a/./b.txt");
    DuplicateFile("a/b.txt", "no/such/folder/copy.bin");
    EXPECT_EQ(ReadWholeFile("a/b.txt"), "xy");
}

TEST_F(FolderTest, CurrentFolderEndsInOneSlash) {
    ASSERT_EQ(mkdir("sub", 0755), 0);
    const std::pair<const char*, std::string> moves[] = {
        {"sub", Folder() + "sub/"}, {"..\\", Folder()}, {"missing", Folder()}, {"/", "/"}};
    EXPECT_EQ(GetCurrentDir().CText(), Folder());
    for (const auto& [to, now] : moves) {
        EXPECT_EQ(SetCurrentDir(to), to != std::string("missing")) << to;
        EXPECT_EQ(GetCurrentDir().CText(), now) << to;
    }
}

TEST_F(FolderTest, FileListGivesFoldersFirstThenMatchingFilesInNameOrder) {
    for (const char* file : {"x.bmp", "y.png", "B.bmp", "a.BMP", "c.bmp"})
        WriteWholeFile(file, "");
    for (const char* folder : {"sub", "Zed", "alpha"})
        ASSERT_EQ(mkdir(folder, 0755), 0);
    StrArray names;
    EXPECT_EQ(GetFileList("*.bmp", names), 5 * 65536.0 + 4) << "folders and files found";
    std::string listed;
    for (int i = 0; i < ArrayBounds(names, 0); ++i)
        listed += names(i).CText() + std::string(" ");
    EXPECT_EQ(listed, ". .. alpha sub Zed a.BMP B.bmp c.bmp x.bmp ");
    EXPECT_EQ(GetFileList("*", names), 5 * 65536.0 + 5);
    EXPECT_EQ(GetFileList("nothing", names), 5 * 65536.0);
}

TEST(WildcardMatchTest, StarsQuestionMarksAndCase) {
    // clang-format off
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"a?c", "abc", true}, {"*.TXT", "Notes.txt", true}, {"*", "", true}, {"", "", true},
        {"**a**", "banana", true}, {"b*n*a", "banana", true}, {"*ab*ab", "xabyabab", true},
        {"ab*", "ab", true}, {"a?c", "a.c", false}, {"*.txt", "notes.txt.bak", false},
        {"", "a", false}, {"b*n*x", "banana", false}, {"level?", "level", false},
        {"abc", "ab", false}};
    // clang-format on
    for (const auto& [pattern, name, matches] : rows)
        EXPECT_EQ(WildcardMatch(pattern, name), matches) << pattern << " " << name;
}

} // namespace
