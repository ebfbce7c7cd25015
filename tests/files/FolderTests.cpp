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

TEST_F(WholeFileTest, SizeAndExistenceOfFilesButNotOfFolders) {
    WriteWholeFile("five.txt", "12345");
    WriteWholeFile("empty.txt", "");
    ASSERT_EQ(mkdir("folder", 0755), 0);
    EXPECT_EQ(FileSize("five.txt"), 5.0);
    EXPECT_EQ(FileExists("five.txt"), 1.0);
    EXPECT_EQ(FileSize("empty.txt"), 0.0);
    EXPECT_EQ(FileExists("empty.txt"), 1.0);
    EXPECT_EQ(FileSize("missing.txt"), 0.0);
    EXPECT_EQ(FileExists("missing.txt"), 0.0);
    EXPECT_EQ(FileExists("folder"), 0.0);
    EXPECT_EQ(FileExists(""), 0.0);
    ASSERT_EQ(mkdir("a", 0755), 0);
    WriteWholeFile("a/b.txt", "xy");
    EXPECT_EQ(FileSize("a\\b.txt"), 2.0);
}

TEST_F(WholeFileTest, RemoveFileDeletesFilesAndIgnoresMissingOnes) {
    WriteWholeFile("gone.txt", "x");
    RemoveFile("gone.txt");
    EXPECT_FALSE(std::filesystem::exists("gone.txt"));
    RemoveFile("gone.txt");
    ASSERT_EQ(mkdir("keep", 0755), 0);
    RemoveFile("keep");
    EXPECT_TRUE(std::filesystem::exists("keep"));
}

TEST_F(WholeFileTest, DuplicateFileCopiesEveryByte) {
    std::string content;
    for (int i = 0; i < 10000; ++i)
        content += static_cast<char>(i * 7);
    WriteWholeFile("source.bin", content);
    WriteWholeFile("target.bin", "old content that is longer than nothing");
    DuplicateFile("source.bin", "target.bin");
    EXPECT_EQ(ReadWholeFile("target.bin"), content);
    WriteWholeFile("empty.bin", "");
    DuplicateFile("empty.bin", "copy.bin");
    EXPECT_EQ(ReadWholeFile("copy.bin"), "");
}

TEST_F(WholeFileTest, DuplicateFileLeavesEverythingAloneWhenItCannotCopy) {
    WriteWholeFile("target.bin", "keep");
    DuplicateFile("missing.bin", "target.bin");
    EXPECT_EQ(ReadWholeFile("target.bin"), "keep");
    // Onto itself: the file must not be emptied.
    DuplicateFile("target.bin", "./target.bin");
    EXPECT_EQ(ReadWholeFile("target.bin"), "keep");
    // A destination that cannot be created.
    DuplicateFile("target.bin", "no/such/folder/copy.bin");
    EXPECT_EQ(ReadWholeFile("target.bin"), "keep");
}

TEST_F(FolderTest, CurrentFolderEndsInOneSlash) {
    const std::string here = GetCurrentDir().CText();
    EXPECT_EQ(here, Folder());
    ASSERT_EQ(mkdir("sub", 0755), 0);
    EXPECT_EQ(SetCurrentDir("sub"), 1.0);
    EXPECT_EQ(std::string(GetCurrentDir().CText()), Folder() + "sub/");
    EXPECT_EQ(SetCurrentDir("..\\"), 1.0);
    EXPECT_EQ(std::string(GetCurrentDir().CText()), Folder());
    EXPECT_EQ(SetCurrentDir("missing"), 0.0);
    EXPECT_EQ(std::string(GetCurrentDir().CText()), Folder());
    ASSERT_EQ(SetCurrentDir("/"), 1.0);
    EXPECT_STREQ(GetCurrentDir().CText(), "/");
    ASSERT_EQ(chdir(Folder().c_str()), 0);
}

TEST_F(FolderTest, FileListGivesFoldersFirstThenMatchingFilesInNameOrder) {
    WriteWholeFile("x.bmp", "");
    WriteWholeFile("y.png", "");
    ASSERT_EQ(mkdir("sub", 0755), 0);
    StrArray names;
    EXPECT_EQ(GetFileList("*.BMP", names), 3 * 65536.0 + 1);
    ASSERT_EQ(ArrayBounds(names, 0), 4.0);
    EXPECT_STREQ(names(0).CText(), ".");
    EXPECT_STREQ(names(1).CText(), "..");
    EXPECT_STREQ(names(2).CText(), "sub");
    EXPECT_STREQ(names(3).CText(), "x.bmp");

    WriteWholeFile("B.bmp", "");
    WriteWholeFile("a.BMP", "");
    WriteWholeFile("c.bmp", "");
    ASSERT_EQ(mkdir("Zed", 0755), 0);
    ASSERT_EQ(mkdir("alpha", 0755), 0);
    EXPECT_EQ(GetFileList("*.bmp", names), 5 * 65536.0 + 4);
    const char* expected[] = {".", "..", "alpha", "sub", "Zed", "a.BMP", "B.bmp", "c.bmp", "x.bmp"};
    ASSERT_EQ(ArrayBounds(names, 0), 9.0);
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(names(i).CText(), expected[i]) << i;

    EXPECT_EQ(GetFileList("*", names), 5 * 65536.0 + 5);
    EXPECT_EQ(GetFileList("nothing", names), 5 * 65536.0);
}

TEST(WildcardMatchTest, StarsQuestionMarksAndCase) {
    const struct {
        const char *pattern, *name;
        bool matches;
    } cases[] = {{"a?c", "abc", true},
                 {"a?c", "a.c", false},
                 {"*.TXT", "Notes.txt", true},
                 {"*.txt", "notes.txt.bak", false},
                 {"*", "", true},
                 {"", "", true},
                 {"", "a", false},
                 {"**a**", "banana", true},
                 {"b*n*a", "banana", true},
                 {"b*n*x", "banana", false},
                 {"*ab*ab", "xabyabab", true},
                 {"level?.*", "level3.dat", true},
                 {"level?", "level", false},
                 {"abc", "ab", false},
                 {"ab*", "ab", true}};
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

} // namespace
