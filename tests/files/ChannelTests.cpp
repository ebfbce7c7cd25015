// File channels on real files: typed reads and writes, line reading, the end of file, and the
// runtime errors that end the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/FileCommands.h"

namespace {

using ChannelTest = TempFolderTest;
using ChannelDeathTest = TempFolderTest;

TEST_F(ChannelTest, TenByteFileReadsTenBytesThenReportsItsEnd) {
    WriteTestFile("ten.bin", "0123456789");
    ASSERT_EQ(OpenFile(2, "ten.bin", 1), 1.0);
    double byte = -1;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(EndOfFile(2), 0.0);
        ReadByte(2, byte);
        EXPECT_EQ(byte, '0' + i);
    }
    EXPECT_EQ(EndOfFile(2), 1.0);
    CloseFile(2);
    EXPECT_EQ(EndOfFile(2), 1.0);
}

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
    const std::string bytes = ReadTestFile("numbers.bin");
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
    EXPECT_EQ(ReadTestFile("s.bin"), std::string("abc\0xyz", 7));

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
    WriteTestFile("lines.txt", "ab\r\ncd");
    ASSERT_EQ(OpenFile(3, "lines.txt", 1), 1.0);
    RtString line;
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "ab");
    EXPECT_EQ(EndOfFile(3), 0.0);
    ReadLine(3, line);
    EXPECT_STREQ(line.CText(), "cd");
    EXPECT_EQ(EndOfFile(3), 1.0);

    WriteTestFile("mixed.txt", "one\ntwo\r\n\r\n12.5 apples\n-3\n");
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

TEST_F(ChannelTest, LongLinesComeInPiecesOf1024Bytes) {
    std::string longLine;
    for (int i = 0; i < 1500; ++i)
        longLine += static_cast<char>('a' + i % 26);
    WriteTestFile("long.txt", longLine + "\r\nnext\r\n");
    ASSERT_EQ(OpenFile(4, "long.txt", 1), 1.0);
    RtString line;
    ReadLine(4, line);
    EXPECT_EQ(std::string(line.CText()), longLine.substr(0, 1024));
    ReadLine(4, line);
    EXPECT_EQ(std::string(line.CText()), longLine.substr(1024));
    EXPECT_EQ(line.Length(), 476u);
    ReadLine(4, line);
    EXPECT_STREQ(line.CText(), "next");
    EXPECT_EQ(EndOfFile(4), 1.0);
}

TEST_F(ChannelTest, ALastLineWithoutLineEndIsReadWhateverItsLength) {
    // 64 and 128 bytes: the lengths at which a line ends exactly where a read piece ends.
    for (size_t length : {1u, 63u, 64u, 128u, 1023u}) {
        const std::string text(length, 'q');
        WriteTestFile("last.txt", "first\n" + text);
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
    EXPECT_EQ(ReadTestFile("out.txt"), "hello\r\n3\r\n0.5\r\n\r\n");
}

TEST_F(ChannelTest, OpeningReplacesWhatTheChannelHeldAndEmptiesFilesForWriting) {
    WriteTestFile("a.txt", "AAAA");
    WriteTestFile("b.txt", "BBBBBBBB");
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
    EXPECT_EQ(ReadTestFile("a.txt"), "");
}

TEST_F(ChannelTest, BackslashesSeparateFoldersLikeSlashes) {
    ASSERT_EQ(mkdir("sub", 0755), 0);
    ASSERT_EQ(OpenFile(0, "sub\\w.txt", 0), 1.0);
    WriteString(0, "x");
    CloseFile(0);
    EXPECT_EQ(ReadTestFile("sub/w.txt"), "x");
}

TEST_F(ChannelTest, EndOfFileAnswersOneForChannelsOutsideTheTable) {
    EXPECT_EQ(EndOfFile(-1), 1.0);
    EXPECT_EQ(EndOfFile(8), 1.0);
    EXPECT_EQ(EndOfFile(1e300), 1.0);
}

TEST_F(ChannelDeathTest, ChannelsOutsideTheTableEndTheProgramWithError7) {
    EXPECT_EXIT(OpenFile(8, "x.txt", 0), ::testing::ExitedWithCode(7), "");
    EXPECT_EXIT(OpenFile(-1, "x.txt", 0), ::testing::ExitedWithCode(7), "");
    EXPECT_EXIT(CloseFile(8.5), ::testing::ExitedWithCode(7), "");
    double value = 0;
    EXPECT_EXIT(ReadByte(100, value), ::testing::ExitedWithCode(7), "");
    EXPECT_EXIT(WriteLine(-5, "x"), ::testing::ExitedWithCode(7), "");
}

TEST_F(ChannelDeathTest, ShortReadsAndClosedChannelsEndTheProgramWithError3) {
    WriteTestFile("ten.bin", "0123456789");
    auto readEleven = [] {
        OpenFile(2, "ten.bin", 1);
        double byte = 0;
        for (int i = 0; i < 11; ++i)
            ReadByte(2, byte);
    };
    EXPECT_EXIT(readEleven(), ::testing::ExitedWithCode(3), "");
    auto readLongFromThree = [] {
        WriteTestFile("three.bin", "abc");
        OpenFile(2, "three.bin", 1);
        double value = 0;
        ReadLong(2, value);
    };
    EXPECT_EXIT(readLongFromThree(), ::testing::ExitedWithCode(3), "");
    auto readLineAtEnd = [] {
        WriteTestFile("lines.txt", "ab\r\ncd");
        OpenFile(2, "lines.txt", 1);
        RtString line;
        ReadLine(2, line);
        ReadLine(2, line);
        ReadLine(2, line);
    };
    EXPECT_EXIT(readLineAtEnd(), ::testing::ExitedWithCode(3), "");
    RtString text;
    EXPECT_EXIT(ReadString(4, text, 1), ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(WriteByte(4, 1), ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(WriteString(4, ""), ::testing::ExitedWithCode(3), "");
    auto readFromWriting = [] {
        OpenFile(1, "w.bin", 0);
        double value = 0;
        ReadByte(1, value);
    };
    EXPECT_EXIT(readFromWriting(), ::testing::ExitedWithCode(3), "");
}

TEST_F(ChannelDeathTest, AShortWriteEndsTheProgramWithError3) {
    // /dev/full accepts the opening and refuses every byte written.
    if (!TestFileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    auto writeToFull = [] {
        if (OpenFile(0, "/dev/full", 0) != 1.0) std::exit(42);
        WriteLong(0, 1);
    };
    EXPECT_EXIT(writeToFull(), ::testing::ExitedWithCode(3), "");
}

} // namespace
