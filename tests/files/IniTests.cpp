// The INI store (reading rules, lookups without regard to case, changes and write-back) and
// platform information by key.
#include <gtest/gtest.h>

#include <regex>

#include "FileTestSupport.h"
#include "files/IniCommands.h"
#include "support/TestRuntime.h"

namespace {

using IniTest = TempFolderTest;

// Section and key names are trimmed and end at a blank; a value is trimmed in front and loses
// its control bytes at the end; comments, empty values and lines without "=" are dropped; the
// first section of a name wins. Written back, the store keeps what it read, in order.
TEST_F(IniTest, ReadingRules) {
    WriteWholeFile("game.ini",
                   "top=level\n  ; a comment\n;key=commented\n\n[ Video ]\nWidth=800\n"
                   "\tHeight \t =  600  \r\nEmpty=\nBare\nTitle = Pincer Panic\x01\x02\n"
                   "[my game]\na b\n[Video]\nWidth=1024\n");
    IniOpen("game.ini");
    // clang-format off
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "top", "level"}, {"", "key", "NO_DATA"}, {"video", "WIDTH", "800"},
        {"Video", "height", "600  "}, {"Video", "Empty", "NO_DATA"}, {"Video", "Bare", "NO_DATA"},
        {"Video", "Title", "Pincer Panic"}, {"my", "a", "b"}, {"my game", "a", "NO_DATA"},
        {"Missing", "top", "NO_DATA"}};
    // clang-format on
    for (const auto& [section, key, value] : rows)
        EXPECT_STREQ(IniGet(section, key).CText(), value) << section << " " << key;
    IniPut("my", "a", "b");
    WriteBackDataFiles();
    EXPECT_EQ(ReadWholeFile("game.ini"),
              "[]\r\ntop=level\r\n"
              "[Video]\r\nWidth=800\r\nHeight=600  \r\nTitle=Pincer Panic\r\n"
              "[my]\r\na=b\r\n"
              "[Video]\r\nWidth=1024\r\n");
}

TEST_F(IniTest, PutRemovesKeysAndSectionsByMovingTheLastIntoTheirPlace) {
    WriteWholeFile("game.ini", "[A]\nk1=1\nk2=2\nk3=3\n[B]\nx=1\n[C]\ny=2\n");
    IniOpen("game.ini");
    IniPut("a", "K1", "");
    IniPut("A", "k2", "two");
    IniPut("A", "new", "");
    IniPut("D", "z", "3");
    IniPut("b", "", "ignored");
    IniPut("nothing", "", "");
    IniOpen("other.ini"); // writes game.ini back
    EXPECT_EQ(ReadWholeFile("game.ini"), "[A]\r\nk3=3\r\nk2=two\r\nnew=\r\n"
                                         "[D]\r\nz=3\r\n"
                                         "[C]\r\ny=2\r\n");
}

// A store is written back when another is opened, at the end or at WriteBackDataFiles, and only
// when changed and named; a missing file is created, a missing folder is not.
TEST_F(IniTest, OnlyChangedStoresWithAFileNameAreWritten) {
    WriteWholeFile("game.ini", "; comment kept\n[A]\nk=v\n");
    IniOpen("game.ini");
    IniOpen("");
    IniPut("A", "k", "w");
    IniOpen("sub\\new.ini");
    EXPECT_EQ(ReadWholeFile("game.ini"), "; comment kept\n[A]\nk=v\n");
    EXPECT_FALSE(std::filesystem::exists(".ini"));
    IniPut("Options", "Speed", "3");
    WriteBackDataFiles();
    EXPECT_FALSE(std::filesystem::exists("sub/new.ini"));
    IniOpen("settings.ini");
    IniPut("Options", "Speed", "3");
    WriteBackDataFiles();
    EXPECT_EQ(ReadWholeFile("settings.ini"), "[Options]\r\nSpeed=3\r\n");
}

using PlatformInfoTest = GlRuntimeTest;

// Keys are found without regard to case; GL entry points keep theirs.
TEST_F(PlatformInfoTest, AnswersByKey) {
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"", "WIN32"}, {"DeViCe", "DESKTOP"}, {"DEVICES", "NO_DATA"}, {"what", "NO_DATA"},
        {"GLEXT:", "0"}, {"gLeXt:glActiveTextureARB", "1"}, {"GLEXT:glGenBuffersARB", "1"}};
    // clang-format on
    for (const auto& [key, answer] : rows)
        EXPECT_STREQ(PlatformInfo(key).CText(), answer) << key;
    const std::string id = PlatformInfo("ID").CText();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{8}"))) << id;
    EXPECT_EQ(std::string(PlatformInfo("id").CText()), id) << "the machine id is stable";
    // Year-month-day without leading zeros, then hour, minute and second right-aligned in two
    // characters.
    const std::string time = PlatformInfo("time").CText();
    EXPECT_TRUE(std::regex_match(
        time, std::regex("[0-9]{4}-([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01]) "
                         "( [0-9]|1[0-9]|2[0-3]):( [0-9]|[1-5][0-9]):( [0-9]|[1-5][0-9])")))
        << time;
}

} // namespace
