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

// Numbers and strings are raw little-endian bytes; lines end in a carriage return and a line feed.
TEST_F(ChannelTest, ValuesAndLinesAreWrittenAsBytesAndReadBack) {
    // Writer, value written, reader, value read back.
    // clang-format off
    using Writer = void (*)(double, double);
    using Reader = void (*)(double, double&);
    const std::tuple<Writer, double, Reader, double> numbers[] = {
        {WriteByte, 0x1FF, ReadByte, 255}, {WriteWord, 70000, ReadWord, 4464},
        {WriteLong, -1, ReadLong, 4294967295.0}, {WriteLong, 4294967296.0 + 5, ReadLong, 5},
        {WriteIEEE, -2.5, ReadIEEE, -2.5}, {WriteByte, 7.9, ReadByte, 7}};
    // clang-format on
    ASSERT_EQ(OpenFile(0, "numbers.bin", 0), 1.0);
    for (const auto& [write, value, read, back] : numbers)
        write(0, value);
    WriteString(0, "abc");
    WriteByte(0, 0);
    WriteString(0, "xyz");
    WriteString(0, "");
    WriteLine(0, "12.5 apples");
    WriteNumberLine(0, 0.5);
    WriteLine(0, "");
    CloseFile(0);
    const std::string bytes = ReadWholeFile("numbers.bin");
    EXPECT_EQ(bytes.substr(0, 11), std::string("\xFF\x70\x11\xFF\xFF\xFF\xFF\x05\x00\x00\x00", 11));
    EXPECT_EQ(bytes.substr(19), '\x07' + std::string("abc\0xyz12.5 apples\r\n0.5\r\n\r\n", 27));

    ASSERT_EQ(OpenFile(7, "numbers.bin", 1), 1.0);
    for (const auto& [write, value, read, back] : numbers) {
        double got = 0;
        read(7, got);
        EXPECT_EQ(got, back) << "written as " << value;
    }
    // A string read takes the bytes up to a zero byte; a length of 0 or less reads nothing.
    RtString text("old");
    const std::pair<double, const char*> strings[] = {{0, ""}, {-3, ""}, {5, "abc"}, {2, "yz"}};
    for (const auto& [length, read] : strings) {
        ReadString(7, text, length);
        EXPECT_STREQ(text.CText(), read) << length;
    }
    // Byte reads go on where a line read stopped.
    double number = 0, byte = 0;
    ReadNumberLine(7, number);
    EXPECT_EQ(number, 12.5);
    ReadByte(7, byte);
    EXPECT_EQ(byte, '0');
    for (const char* line : {".5", ""}) {
        ReadLine(7, text);
        EXPECT_STREQ(text.CText(), line);
    }
    EXPECT_EQ(EndOfFile(7), 1.0);
}

// File content -> the lines read until the end of the file. Lines end at a line feed with or
// without a carriage return; longer lines come in pieces of 1024 bytes, and a line end right
// behind a full piece belongs to that piece. A last line without line end is read whatever its
// length. Pipes, which cannot seek back and state no size, are read to their real end too.
TEST_F(ChannelTest, LinesEndAtLineFeedsAndLongLinesComeInPiecesOf1024Bytes) {
    std::string text;
    for (int i = 0; i < 1500; ++i)
        text += static_cast<char>('a' + i % 26);
    const auto first = [&text](size_t length) { return text.substr(0, length); };
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"one\ntwo\r\n\r\nlast", {"one", "two", "", "last"}},
        {text + "\r\nnext\r\n", {first(1024), text.substr(1024), "next"}},
        {first(1025) + "\nnext", {first(1024), text.substr(1024, 1), "next"}},
        {first(1024) + "\r\nnext\r\n", {first(1024), "next"}},
        {first(1024) + "\nnext", {first(1024), "next"}},
        {first(1023) + "\r\nnext", {first(1023), "next"}},
        {"first\r\n" + first(1023), {"first", first(1023)}}};
    for (const auto& [content, lines] : rows) {
        for (const bool piped : {false, true}) {
            int ends[2];
            ASSERT_EQ(pipe(ends), 0);
            ASSERT_EQ(write(ends[1], content.data(), content.size()), ssize_t(content.size()));
            close(ends[1]);
            WriteWholeFile("lines.txt", content);
            const std::string name = piped ? "/dev/fd/" + std::to_string(ends[0]) : "lines.txt";
            ASSERT_EQ(OpenFile(4, name.c_str(), 1), 1.0);
            close(ends[0]);
            RtString line;
            for (const std::string& expected : lines) {
                EXPECT_EQ(EndOfFile(4), 0.0) << name << ", " << content.substr(0, 20);
                ReadLine(4, line);
                EXPECT_EQ(line.CText(), expected) << name << ", " << content.substr(0, 20);
            }
            EXPECT_EQ(EndOfFile(4), 1.0) << name << ", " << content.substr(0, 20);
            CloseFile(4);
        }
    }
}

TEST_F(ChannelTest, OpeningReplacesWhatTheChannelHeldAndEmptiesFilesForWriting) {
    WriteWholeFile("a.txt", "AAAA");
    ASSERT_EQ(mkdir("sub", 0755), 0);
    WriteWholeFile("sub/b.txt", "BBBBBBBB");
    ASSERT_EQ(OpenFile(0, "a.txt", 1), 1.0);
    double byte = 0;
    ReadByte(0, byte);
    ASSERT_EQ(OpenFile(0, "sub\\b.txt", 1), 1.0) << "backslashes separate folders too";
    ReadByte(0, byte);
    EXPECT_EQ(byte, 'B');
    EXPECT_EQ(OpenFile(0, "missing.txt", 1), 0.0);
    EXPECT_EQ(EndOfFile(0), 1.0);
    EXPECT_EQ(OpenFile(0, "no/such/folder/x.txt", 0), 0.0);
    EXPECT_EQ(OpenFile(0, ".", 1), 0.0); // a folder is no file
    ASSERT_EQ(OpenFile(0, "a.txt", 0), 1.0);
    CloseFile(0);
    EXPECT_EQ(ReadWholeFile("a.txt"), "");
    for (double channel : {-1.0, 8.0, 1e300})
        EXPECT_EQ(EndOfFile(channel), 1.0) << "channel " << channel << " is outside the table";
}

// Runtime errors end the program: 7 for a channel outside the table, 3 for a read past the
// end, a closed channel, a read from a channel opened for writing or a refused write.
TEST_F(ChannelDeathTest, MisuseEndsTheProgramWithItsError) {
    WriteWholeFile("ten.bin", "0123456789");
    WriteWholeFile("lines.txt", "ab\r\ncd");
    double value = 0;
    RtString text;
    ASSERT_EQ(OpenFile(1, "w.bin", 0), 1.0);
    ASSERT_EQ(OpenFile(2, "ten.bin", 1), 1.0);
    ReadString(2, text, 8); // two bytes left
    ASSERT_EQ(OpenFile(3, "lines.txt", 1), 1.0);
    ReadLine(3, text);
    ReadLine(3, text); // nothing left
    // /dev/full accepts the opening and refuses every byte written.
    ASSERT_EQ(OpenFile(0, "/dev/full", 0), 1.0);
    const std::pair<std::function<void()>, int> cases[] = {
        {[] { OpenFile(8, "x.txt", 0); }, 7}, {[] { CloseFile(8.5); }, 7},
        {[&] { ReadLong(2, value); }, 3},     {[&] { ReadLine(3, text); }, 3},
        {[&] { ReadString(4, text, 1); }, 3}, {[] { WriteString(4, ""); }, 3},
        {[&] { ReadByte(1, value); }, 3},     {[] { WriteLong(0, 1); }, 3}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EXIT(cases[i].first(), ::testing::ExitedWithCode(cases[i].second), "")
            << "case " << i;
}

} // namespace
