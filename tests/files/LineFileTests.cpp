// Line files: reading lines by number, writing them, and the lazy write-back.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "app/AppCommands.h"
#include "files/IniCommands.h"

namespace {

class LineFileTest : public TempFolderTest {
  protected:
    // The error number recorded since the last call.
    double RecordedError() {
        const double error = Rt().error.errorNumber;
        Rt().error = ErrorRecord{};
        return error;
    }
};

// Blanks stay, trailing control bytes go (letters of UTF-8, bytes above 127, stay); only the first
// 256 lines are kept. Lines outside the cache record error 7, a missing file error 3, and the
// program goes on.
TEST_F(LineFileTest, LinesAreReadByNumber) {
    std::string content = "first\r\n  \r\n\r\n42.5 points\nZo\xC3\xAB\x01\x1F\n";
    for (int i = 5; i < 300; ++i)
        content += std::to_string(i) + "\n";
    WriteWholeFile("data.txt", content);
    const std::tuple<const char*, double, const char*, double> rows[] = {
        {"data.txt", 0, "first", 0},    {"data.txt", 1, "  ", 0},
        {"data.txt", 2, "NO_DATA", 0},  {"data.txt", 4, "Zo\xC3\xAB", 0},
        {"data.txt", 255, "255", 0},    {"data.txt", 256, "NO_DATA", 7},
        {"data.txt", -1, "NO_DATA", 7}, {"missing.txt", 0, "NO_FILE", 3}};
    for (const auto& [file, line, text, error] : rows) {
        EXPECT_STREQ(GetLineText(file, line).CText(), text) << file << " " << line;
        EXPECT_EQ(RecordedError(), error) << file << " " << line;
    }
    EXPECT_EQ(GetLineNumber("data.txt", 3), 42.5);
    EXPECT_EQ(GetLineNumber("missing.txt", 0), 0.0);
}

TEST_F(LineFileTest, WrittenLinesAreSavedWhenAnotherFileIsUsed) {
    EXPECT_EQ(PutLineText("a.txt", 5, "x"), 0.0);
    EXPECT_FALSE(std::filesystem::exists("a.txt")); // written lazily
    EXPECT_EQ(PutLineText("a.txt", 256, "y"), 7.0);
    EXPECT_EQ(RecordedError(), 7.0);
    EXPECT_STREQ(GetLineText("b.txt", 0).CText(), "NO_FILE");
    EXPECT_EQ(ReadWholeFile("a.txt"), "\r\n\r\n\r\n\r\n\r\nx\r\n");

    WriteWholeFile("scores.txt", "10\r\n20\r\n30\r\n");
    EXPECT_EQ(PutLineNumber("scores.txt", 1, 25.5), 0.0);
    PutLineText("scores.txt", 2, std::string(1500, 'w').c_str()); // long lines are cut
    EXPECT_STREQ(GetLineText("./scores.txt", 1).CText(), "25.5") << "another spelling reloads";
    EXPECT_EQ(ReadWholeFile("scores.txt"), "10\r\n25.5\r\n" + std::string(1024, 'w') + "\r\n");
    // Reading without writing leaves the file as it was.
    WriteWholeFile("plain.txt", "a\nb\n");
    GetLineText("plain.txt", 0);
    GetLineText("a.txt", 0);
    EXPECT_EQ(ReadWholeFile("plain.txt"), "a\nb\n");
}

TEST_F(LineFileTest, ChangesAreSavedAtProgramEnd) {
    WriteWholeFile("end.txt", "old\r\n");
    auto putAndEnd = [] {
        PutLineText("end.txt", 1, "saved at the end");
        EndProgram();
    };
    EXPECT_EXIT(putAndEnd(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadWholeFile("end.txt"), "old\r\nsaved at the end\r\n");
}

} // namespace
