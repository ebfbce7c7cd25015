// File channels on real files: typed reads and writes, line reading, the end of file, and the
// runtime errors that end the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "FileTestSupport.h"
#include "files/FileCommands.h"

namespace {

using ChannelTest = TempFolderTest;
using ChannelDeathTest = TempFolderTest;

TEST_F(ChannelTest, NumbersAreWrittenLittleEndianFromTheirLowBits) {
    ASSERT_EQ(OpenFile(0, "numbers.bin", 0), 1.0);
    EXPECT_EQ(EndOfFile(0), 1.0); // a channel for writing has nothing to read
    WriteByte(0, 0x1FF);
    WriteWord(0, 70000);
    WriteLong(0, -1);
    WriteLong(0, 4294967296.0 + 5);
    WriteIEEE(0, -2.5);
    WriteByte(0, 7.9);
    CloseFile(0);
    const std::string bytes = ReadWholeFile("numbers.bin");
    const std::string expected("\xFF\x70\x11\xFF\xFF\xFF\xFF\x05\x00\x00\x00", 11);
    ASSERT_EQ(bytes.size(), 11u + 8u + 1u);
    EXPECT_EQ(bytes.substr(0, 11), expected);
    EXPECT_EQ(bytes.back(), '\x07');

    ASSERT_EQ(OpenFile(7, "numbers.bin", 1), 1.0);
    double value = 0;
    ReadByte(7, value);
    EXPECT_EQ(value, 255.0);
    ReadWord(7, value);
    EXPECT_EQ(value, 4464.0);
    ReadLong(7, value);
    EXPECT_EQ(value, 4294967295.0);
    ReadLong(7, value);
    EXPECT_EQ(value, 5.0);
    ReadIEEE(7, value);
    EXPECT_EQ(value, -2.5);
    ReadByte(7, value);
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(EndOfFile(7), 1.0);
}

TEST_F(ChannelTest, StringsAreRawBytesAndStopAtAZeroByte) {
    ASSERT_EQ(OpenFile(1, "s.bin", 0), 1.0);
    WriteString(1, "abc");
    WriteByte(1, 0);
    WriteString(1, "xyz");
    WriteString(1, "");
    CloseFile(1);
    EXPECT_EQ(ReadWholeFile("s.bin"), std::string("abc\0xyz", 7));

    ASSERT_EQ(OpenFile(1, "s.bin", 1), 1.0);
    RtString text("old");
    ReadString(1, text, 0);
    EXPECT_STREQ(text.CText(), "");
    ReadString(1, text, -3);
    EXPECT_STREQ(text.CText(), "");
    ReadString(1, text, 5);
    EXPECT_STREQ(text.CText(), "abc"); // the bytes up to the zero byte
    ReadString(1, text, 2);
    EXPECT_STREQ(text.CText(), "yz");
    EXPECT_EQ(EndOfFile(1), 1.0);
}

TEST_F(ChannelTest, LinesEndAtLineFeedsWithOrWithoutCarriageReturn) {
    WriteWholeFile("lines.txt", "ab\r\ncd");
    ASSERT_EQ(OpenFile(3, "lines.txt", 1), 1.0);
    RtString line;
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "ab");
    EXPECT_EQ(EndOfFile(3), 0.0);
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "cd");
    EXPECT_EQ(EndOfFile(3), 1.0);

    WriteWholeFile("mixed.txt", "one\ntwo\r\n\r\n12.5 apples\n-3\n");
    ASSERT_EQ(OpenFile(3, "mixed.txt", 1), 1.0);
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "one");
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "two");
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "");
    double number = 0;
    ReadNumberLine(3, number);
    EXPECT_EQ(number, 12.5);
    ReadNumberLine(3, number);
    EXPECT_EQ(number, -3.0);
    EXPECT_EQ(EndOfFile(3), 1.0);
}

TEST_F(ChannelTest, LongLinesComeInPiecesOf1024BytesAndFullLinesKeepTheirLineEnd) {
    std::string longLine;
    for (int i = 0; i < 1500; ++i)
        longLine += static_cast<char>('a' + i % 26);
    const struct {
        size_t length;
        const char* lineEnd;
        std::vector<size_t> pieces;
    } rows[] = {
        {1500, "\r\n", {1024, 476}}, {1025, "\n", {1024, 1}}, {1024, "\r\n", {1024}},
        {1024, "\n", {1024}},        {1023, "\r\n", {1023}},
    };
    for (const auto& row : rows) {
        const std::string text = longLine.substr(0, row.length);
        WriteWholeFile("long.txt", text + row.lineEnd + "next\r\n");
        ASSERT_EQ(OpenFile(4, "long.txt", 1), 1.0);
        RtString line;
        size_t at = 0;
        for (size_t piece : row.pieces) {
            ReadLine(4, line);
            EXPECT_EQ(std::string(line.CText()), text.substr(at, piece)) << row.length;
            at += piece;
        }
        ReadLine(4, line);
        EXPECT_STREQ(line.CText(), "next") << row.length << row.lineEnd;
        EXPECT_EQ(EndOfFile(4), 1.0);
        CloseFile(4);
    }
}

TEST_F(ChannelTest, ALastLineWithoutLineEndIsReadWhateverItsLength) {
    // 64 and 128 bytes: the lengths at which a line ends exactly where a read piece ends.
    for (size_t length : {1u, 63u, 64u, 128u, 1023u}) {
        const std::string text(length, 'q');
        WriteWholeFile("last.txt", "first\n" + text);
        ASSERT_EQ(OpenFile(5, "last.txt", 1), 1.0);
        RtString line;
        ReadLine(5, line);
        ReadLine(5, line);
        EXPECT_EQ(std::string(line.CText()), text) << length;
        EXPECT_EQ(EndOfFile(5), 1.0);
    }
}

// Pipes cannot seek back and state no size, /proc files state size 0: both are read to their
// real end, line by line and byte by byte mixed.
TEST_F(ChannelTest, PipesAndProcFilesAreReadToTheirRealEnd) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string text = "ab\r\ncd\n" + std::string(1500, 'x') + "\nlast";
    ASSERT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ASSERT_EQ(OpenFile(3, ("/dev/fd/" + std::to_string(ends[0])).c_str(), 1), 1.0);
    close(ends[1]);
    close(ends[0]);
    RtString line;
    double byte = 0;
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "ab");
    ReadByte(3, byte);
    EXPECT_EQ(byte, 'c');
    const std::string rest[] = {"d", std::string(1024, 'x'), std::string(476, 'x'), "last"};
    for (const std::string& expected : rest) {
        EXPECT_EQ(EndOfFile(3), 0.0);
        ReadLine(3, line);
        EXPECT_EQ(line.CText(), expected);
    }
    EXPECT_EQ(EndOfFile(3), 1.0);

    ASSERT_EQ(OpenFile(4, "/proc/self/status", 1), 1.0);
    int lines = 0;
    for (; EndOfFile(4) == 0.0 && lines < 1000; ++lines)
        ReadLine(4, line);
    EXPECT_GT(lines, 5); // far more than the 0 bytes the file states
    EXPECT_LT(lines, 1000);
}

TEST_F(ChannelTest, WriteLinesEndInCarriageReturnAndLineFeed) {
    ASSERT_EQ(OpenFile(6, "out.txt", 0), 1.0);
    WriteLine(6, "hello");
    WriteNumberLine(6, 3);
    WriteNumberLine(6, 0.5);
    WriteLine(6, "");
    CloseFile(6);
    EXPECT_EQ(ReadWholeFile("out.txt"), "hello\r\n3\r\n0.5\r\n\r\n");
}

TEST_F(ChannelTest, OpeningReplacesWhatTheChannelHeldAndEmptiesFilesForWriting) {
    WriteWholeFile("a.txt", "AAAA");
    WriteWholeFile("b.txt", "BBBBBBBB");
    ASSERT_EQ(OpenFile(0, "a.txt", 1), 1.0);
    double byte = 0;
    ReadByte(0, byte);
    ASSERT_EQ(OpenFile(0, "b.txt", 1), 1.0);
    ReadByte(0, byte);
    EXPECT_EQ(byte, 'B');
    EXPECT_EQ(OpenFile(0, "missing.txt", 1), 0.0);
    EXPECT_EQ(EndOfFile(0), 1.0);
    EXPECT_EQ(OpenFile(0, "no/such/folder/x.txt", 0), 0.0);
    EXPECT_EQ(OpenFile(0, ".", 1), 0.0); // a folder is no file
    ASSERT_EQ(OpenFile(0, "a.txt", 0), 1.0);
    CloseFile(0);
    EXPECT_EQ(ReadWholeFile("a.txt"), "");
}

TEST_F(ChannelTest, BackslashesSeparateFoldersLikeSlashes) {
    ASSERT_EQ(mkdir("sub", 0755), 0);
    ASSERT_EQ(OpenFile(0, "sub\\w.txt", 0), 1.0);
    WriteString(0, "x");
    CloseFile(0);
    EXPECT_EQ(ReadWholeFile("sub/w.txt"), "x");
}

TEST_F(ChannelTest, EndOfFileAnswersOneForChannelsOutsideTheTable) {
    for (double channel : {-1.0, 8.0, 1e300})
        EXPECT_EQ(EndOfFile(channel), 1.0) << channel;
}

// Runtime errors end the program: 7 for a channel outside the table, 3 for a read past the
// end, a closed channel, a read from a channel opened for writing or a refused write.
TEST_F(ChannelDeathTest, MisuseEndsTheProgramWithItsError) {
    WriteWholeFile("ten.bin", "0123456789");
    WriteWholeFile("lines.txt", "ab\r\ncd");
    double value = 0;
    RtString text;
    const std::pair<std::function<void()>, int> cases[] = {
        {[] { OpenFile(8, "x.txt", 0); }, 7},
        {[] { OpenFile(-1, "x.txt", 0); }, 7},
        {[] { CloseFile(8.5); }, 7},
        {[&] { ReadByte(100, value); }, 7},
        {[] { WriteLine(-5, "x"); }, 7},
        {[&] {
             OpenFile(2, "ten.bin", 1);
             for (int i = 0; i < 11; ++i)
                 ReadByte(2, value);
         },
         3},
        {[&] {
             OpenFile(2, "ten.bin", 1);
             ReadString(2, text, 8);
             ReadLong(2, value);
         },
         3},
        {[&] {
             OpenFile(2, "lines.txt", 1);
             for (int i = 0; i < 3; ++i)
                 ReadLine(2, text);
         },
         3},
        {[&] { ReadString(4, text, 1); }, 3},
        {[] { WriteByte(4, 1); }, 3},
        {[] { WriteString(4, ""); }, 3},
        {[&] {
             OpenFile(1, "w.bin", 0);
             ReadByte(1, value);
         },
         3},
        // /dev/full accepts the opening and refuses every byte written.
        {[] {
             if (OpenFile(0, "/dev/full", 0) != 1.0) std::exit(3);
             WriteLong(0, 1);
         },
         3},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EXIT(cases[i].first(), ::testing::ExitedWithCode(cases[i].second), "")
            << "case " << i;
}

} // namespace
