// Line files: reading lines by number, writing them, and the lazy write-back.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "app/AppCommands.h"
#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/IniCommands.h"

namespace {

class LineFileTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        Rt().error = ErrorRecord{};
    }
    void TearDown() override {
        Rt().error = ErrorRecord{};
        TempFolderTest::TearDown();
    }
};

TEST_F(LineFileTest, LinesAreReadByNumber) {
    WriteWholeFile("data.txt", "first\r\n  \r\n\r\n42.5 points\nlast\x01\x1F");
    EXPECT_STREQ(GetLineText("data.txt", 0).CText(), "first");
    EXPECT_STREQ(GetLineText("data.txt", 1).CText(), "  "); // blanks stay
    EXPECT_STREQ(GetLineText("data.txt", 2).CText(), "NO_DATA");
    EXPECT_EQ(GetLineNumber("data.txt", 3), 42.5);
    EXPECT_STREQ(GetLineText("data.txt", 4).CText(), "last"); // trailing control bytes go
    EXPECT_STREQ(GetLineText("data.txt", 255).CText(), "NO_DATA");
    EXPECT_EQ(GetLineNumber("data.txt", 200), 0.0);
    EXPECT_EQ(Rt().error.errorNumber, 0.0);
}

// Letters of UTF-8 end in bytes above 127: they are text, not line ends, in memory and in the
// files written back and read again.
TEST_F(LineFileTest, LettersAbove127SurviveLineAndIniFiles) {
    const char* names[] = {"caf\xC3\xA9", "Zo\xC3\xAB", "\xFF"};
    WriteWholeFile("names.txt", "x\r\nZo\xC3\xAB\x01\t\n");
    EXPECT_STREQ(GetLineText("names.txt", 1).CText(), names[1]);
    IniOpen("names.ini");
    for (int i = 0; i < 3; ++i) {
        PutLineText("names.txt", i, names[i]);
        IniPut("Player", names[i], names[i]);
    }
    GetLineText("other.txt", 0); // writes names.txt back
    IniOpen("other.ini");        // writes names.ini back
    IniOpen("names.ini");
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(GetLineText("names.txt", i).CText(), names[i]);
        EXPECT_STREQ(IniGet("Player", names[i]).CText(), names[i]);
    }
}

TEST_F(LineFileTest, LinesOutsideTheCacheRecordError7AndTheProgramGoesOn) {
    WriteWholeFile("a.txt", "x\n");
    EXPECT_STREQ(GetLineText("a.txt", 300).CText(), "NO_DATA");
    EXPECT_EQ(Rt().error.errorNumber, 7.0);
    Rt().error = ErrorRecord{};
    EXPECT_STREQ(GetLineText("a.txt", -1).CText(), "NO_DATA");
    EXPECT_EQ(Rt().error.errorNumber, 7.0);
    Rt().error = ErrorRecord{};
    EXPECT_EQ(PutLineText("a.txt", 256, "y"), 7.0);
    EXPECT_EQ(Rt().error.errorNumber, 7.0);
    EXPECT_STREQ(GetLineText("a.txt", 0).CText(), "x");
}

TEST_F(LineFileTest, MissingFilesGiveNoFileAndRecordError3) {
    EXPECT_STREQ(GetLineText("missing.txt", 0).CText(), "NO_FILE");
    EXPECT_EQ(Rt().error.errorNumber, 3.0);
    EXPECT_STREQ(GetLineText("missing.txt", 1).CText(), "NO_FILE");
    EXPECT_EQ(GetLineNumber("missing.txt", 0), 0.0);
}

TEST_F(LineFileTest, WrittenLinesAreSavedWhenAnotherFileIsUsed) {
    EXPECT_EQ(PutLineText("a.txt", 5, "x"), 0.0);
    EXPECT_FALSE(std::filesystem::exists("a.txt")); // written lazily
    EXPECT_STREQ(GetLineText("a.txt", 5).CText(), "x");
    EXPECT_STREQ(GetLineText("b.txt", 0).CText(), "NO_FILE");
    EXPECT_EQ(ReadWholeFile("a.txt"), "\r\n\r\n\r\n\r\n\r\nx\r\n");

    WriteWholeFile("scores.txt", "10\r\n20\r\n30\r\n");
    EXPECT_EQ(PutLineNumber("scores.txt", 1, 25.5), 0.0);
    EXPECT_EQ(PutLineNumber("scores.txt", 0, -3), 0.0);
    EXPECT_EQ(GetLineNumber("scores.txt", 1), 25.5);
    GetLineText("a.txt", 0);
    EXPECT_EQ(ReadWholeFile("scores.txt"), "-3\r\n25.5\r\n30\r\n");
    // Reading without writing leaves the file as it was.
    WriteWholeFile("plain.txt", "a\nb\n");
    GetLineText("plain.txt", 0);
    GetLineText("a.txt", 0);
    EXPECT_EQ(ReadWholeFile("plain.txt"), "a\nb\n");
}

TEST_F(LineFileTest, NamesAreComparedExactlySoAnotherSpellingReloads) {
    WriteWholeFile("c.txt", "disk\n");
    PutLineText("c.txt", 0, "memory");
    EXPECT_STREQ(GetLineText("./c.txt", 0).CText(), "memory"); // switching saved it first
    EXPECT_STREQ(GetLineText("c.txt", 0).CText(), "memory");
}

TEST_F(LineFileTest, OnlyTheFirst256LinesAreKeptAndLongLinesAreCut) {
    std::string content;
    for (int i = 0; i < 300; ++i)
        content += std::to_string(i) + "\n";
    WriteWholeFile("many.txt", content);
    EXPECT_STREQ(GetLineText("many.txt", 255).CText(), "255");
    PutLineText("many.txt", 0, std::string(1500, 'w').c_str());
    EXPECT_EQ(GetLineText("many.txt", 0).Length(), 1024u);
    WriteBackDataFiles();
    const std::string saved = ReadWholeFile("many.txt");
    EXPECT_EQ(saved.substr(0, 1026), std::string(1024, 'w') + "\r\n");
    EXPECT_EQ(saved.substr(saved.size() - 7), "\r\n255\r\n"); // line 255 is the last
}

TEST_F(LineFileTest, ChangesAreSavedAtProgramEnd) {
    WriteWholeFile("end.txt", "old\r\n");
    auto putAndEnd = [] {
        PutLineText("end.txt", 1, "saved at the end");
        IniOpen("end.ini");
        IniPut("Game", "level", "4");
        EndProgram();
    };
    EXPECT_EXIT(putAndEnd(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadWholeFile("end.txt"), "old\r\nsaved at the end\r\n");
    EXPECT_EQ(ReadWholeFile("end.ini"), "[Game]\r\nlevel=4\r\n");
}

} // namespace
