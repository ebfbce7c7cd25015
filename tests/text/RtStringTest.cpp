#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "text/TextCommands.h"

namespace {

TEST(RtString, NewStringIsEmptyWithoutBuffer) {
    RtString text;
    EXPECT_EQ(text.Length(), 0u);
    EXPECT_EQ(text.Capacity(), 0u);
    EXPECT_STREQ(text.CText(), "");
    RtString fromEmpty("");
    RtString copyOfEmpty(text);
    EXPECT_EQ(fromEmpty.Capacity(), 0u);
    EXPECT_EQ(copyOfEmpty.Capacity(), 0u);
    RtString fromNull(static_cast<const char*>(nullptr));
    EXPECT_STREQ(fromNull.CText(), "");
}

TEST(RtString, ReserveGrowsToNextMultipleOf512AboveN) {
    RtString text;
    text.Reserve(511);
    EXPECT_EQ(text.Capacity(), 512u);
    text.Reserve(100);
    EXPECT_EQ(text.Capacity(), 512u);
    text.Reserve(512);
    EXPECT_EQ(text.Capacity(), 1024u);
    RtString other("abc");
    EXPECT_EQ(other.Capacity(), 512u);
    other.Reserve(2000);
    EXPECT_EQ(other.Capacity(), 2048u);
    EXPECT_STREQ(other.CText(), "abc");
    EXPECT_EQ(other.Length(), 3u);
}

TEST(RtString, CopiesOwnTheirBuffers) {
    RtString original("crab");
    RtString copy(original);
    RtString assigned;
    assigned = original;
    EXPECT_NE(copy.CText(), original.CText());
    EXPECT_NE(assigned.CText(), original.CText());
    original.SetCharAt(0, 'g');
    EXPECT_STREQ(original.CText(), "grab");
    EXPECT_STREQ(copy.CText(), "crab");
    EXPECT_STREQ(assigned.CText(), "crab");
}

TEST(RtString, AssignmentKeepsTheBuffer) {
    RtString text;
    const char* buffer = text.Reserve(3000);
    text = "short";
    EXPECT_EQ(text.CText(), buffer);
    EXPECT_EQ(text.Capacity(), 3072u);
    text = "";
    EXPECT_EQ(text.Length(), 0u);
    EXPECT_EQ(text.Capacity(), 3072u);
}

TEST(RtString, AppendAndGrowAcrossSteps) {
    RtString text("a");
    text += "b";
    EXPECT_STREQ(text.CText(), "ab");
    EXPECT_EQ(text.Length(), 2u);
    RtString long_;
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        long_ += "xyz";
        expected += "xyz";
    }
    EXPECT_EQ(long_.Length(), 900u);
    EXPECT_EQ(long_.Capacity(), 1024u);
    EXPECT_EQ(expected, long_.CText());
}

TEST(RtString, AppendsItsOwnTextSafely) {
    RtString text("abcdefgh");
    for (int i = 0; i < 7; ++i)
        text += text; // grows across several reallocations
    EXPECT_EQ(text.Length(), 8u * 128u);
    EXPECT_EQ(std::string(text.CText()).substr(1016), "abcdefgh");
    RtString tail("0123456789");
    tail += tail.CText() + 5;
    EXPECT_STREQ(tail.CText(), "012345678956789");
    tail = tail.CText() + 10;
    EXPECT_STREQ(tail.CText(), "56789");
    RtString self("same");
    self = self;
    EXPECT_STREQ(self.CText(), "same");
}

TEST(RtString, ConstructsFromNumbers) {
    EXPECT_STREQ(RtString(0).CText(), "0");
    EXPECT_STREQ(RtString(-42).CText(), "-42");
    EXPECT_STREQ(RtString(INT_MIN).CText(), "-2147483648");
    EXPECT_STREQ(RtString(0.5).CText(), "0.5");
    EXPECT_STREQ(RtString(0.1f).CText(), "0.1000000015");
    EXPECT_STREQ(RtString(0.1).CText(), "0.1");
    RtString assigned("old text");
    assigned = 7;
    EXPECT_STREQ(assigned.CText(), "7");
    assigned = 2.25;
    EXPECT_STREQ(assigned.CText(), "2.25");
    assigned = 1.5f;
    EXPECT_STREQ(assigned.CText(), "1.5");
    assigned += 3;
    assigned += 0.5;
    assigned += 0.25f;
    EXPECT_STREQ(assigned.CText(), "1.530.50.25");
}

TEST(RtString, JoinsTextsAndNumbers) {
    EXPECT_STREQ((RtString("Crabs: ") + 12.0).CText(), "Crabs: 12");
    EXPECT_STREQ((RtString("Crabs: ") + 0.5).CText(), "Crabs: 0.5");
    EXPECT_STREQ((RtString("Lives ") + 3).CText(), "Lives 3");
    EXPECT_STREQ((2.5 + RtString(" m")).CText(), "2.5 m");
    EXPECT_STREQ((7 + RtString("x")).CText(), "7x");
    EXPECT_STREQ(("Level " + RtString("2")).CText(), "Level 2");
    EXPECT_STREQ((RtString("a") + "b" + 1 + 0.5f).CText(), "ab10.5");
    EXPECT_STREQ((RtString("n=") + 4000000000u).CText(), "n=4000000000");
    EXPECT_STREQ((RtString("n=") + static_cast<short>(-5)).CText(), "n=-5");

    RtString result("previous");
    JoinText(result, "Score: ", 1234.5);
    EXPECT_STREQ(result.CText(), "Score: 1234.5");
    JoinText(result, 3.0, " lives");
    EXPECT_STREQ(result.CText(), "3 lives");
    JoinText(result, result, result);
    EXPECT_STREQ(result.CText(), "3 lives3 lives");
    JoinText(result, "x", result);
    EXPECT_STREQ(result.CText(), "x3 lives3 lives");
}

TEST(RtString, ComparesTextsByUnsignedBytes) {
    const RtString ten("10"), nine("9");
    EXPECT_EQ(ten < nine, 1.0);
    EXPECT_EQ(ten > nine, 0.0);
    EXPECT_EQ(ten == "10", 1.0);
    EXPECT_EQ("10" != ten, 0.0);
    EXPECT_EQ(ten <= ten, 1.0);
    EXPECT_EQ(ten >= "2", 0.0);
    // Byte 200 sorts after every ASCII byte.
    const char high[] = {static_cast<char>(200), 0};
    EXPECT_EQ(RtString(high) > "z", 1.0);
    EXPECT_LT(CompareText(ten, nine), 0);
    EXPECT_GT(CompareText(RtString(high), "z"), 0);
    EXPECT_EQ(CompareText("abc", RtString("abc")), 0);
}

TEST(RtString, ComparesTextWithNumberNumerically) {
    const RtString ten("10");
    EXPECT_EQ(ten > 9, 1.0);
    EXPECT_EQ(ten > 9.0, 1.0);
    EXPECT_EQ(9.5 < ten, 1.0);
    EXPECT_EQ(ten == 10, 1.0);
    EXPECT_EQ(ten != 10.0, 0.0);
    EXPECT_EQ(ten <= 10, 1.0);
    EXPECT_EQ(ten >= 11, 0.0);
    EXPECT_EQ(RtString("abc") == 0, 1.0);
    EXPECT_EQ(CompareText(ten, 9), 1.0);
    EXPECT_EQ(CompareText(ten, 10.0), 0.0);
    EXPECT_EQ(CompareText(3, ten), -1.0);
    EXPECT_EQ(CompareText(RtString("nan"), 1.0), 0.0);
    EXPECT_EQ(RtString("nan") == 1.0, 0.0);
}

TEST(RtString, TextToNumberReadsTheNumericPrefix) {
    EXPECT_EQ(TextToNumber(RtString("12abc")), 12.0);
    EXPECT_EQ(TextToNumber(RtString("abc")), 0.0);
    EXPECT_EQ(TextToNumber(RtString("  -3.5e2x")), -350.0);
    EXPECT_EQ(TextToNumber(RtString("")), 0.0);
    EXPECT_EQ(TextToNumber(static_cast<const char*>(nullptr)), 0.0);
}

TEST(RtString, CharAccessStaysInsideTheBuffer) {
    RtString empty;
    EXPECT_EQ(empty.CharAt(0), 0);
    EXPECT_EQ(empty.CharAt(5000), 0);
    empty.SetCharAt(0, 'x'); // the shared empty buffer is never written
    empty.TruncateAt(0);
    EXPECT_STREQ(RtString().CText(), "");
    EXPECT_EQ(empty.Length(), 0u);

    const char high[] = {'a', static_cast<char>(200), 0};
    RtString text(high);
    EXPECT_EQ(text.CharAt(1), -56);
    EXPECT_EQ(text.CharAt(-1), 0);
    EXPECT_EQ(text.CharAt(511), 0);
    EXPECT_EQ(text.CharAt(512), 0);
    text.SetCharAt(-1, 'x');
    text.SetCharAt(511, 'x'); // the last byte stays the terminator
    text.SetCharAt(100000, 'x');
    text.TruncateAt(512);
    text.TruncateAt(-3);
    EXPECT_STREQ(text.CText(), high);

    RtString crab("crab");
    crab.SetCharAt(0, 'g');
    crab.TruncateAt(3);
    EXPECT_STREQ(crab.CText(), "gra");
    EXPECT_EQ(crab.Length(), 3u);
}

TEST(RtString, RecountFindsTheTextAWriterLeft) {
    RtString path;
    char* buffer = path.Reserve(256);
    std::strcpy(buffer, "bmp/virus.bmp");
    EXPECT_EQ(path.Length(), 0u);
    path.Recount();
    EXPECT_EQ(path.Length(), 13u);
    // A writer that filled the whole buffer still leaves a terminated text.
    std::memset(path.Reserve(0), 'x', path.Capacity());
    path.Recount();
    EXPECT_EQ(path.Length(), path.Capacity() - 1);
    RtString empty;
    empty.Recount();
    EXPECT_EQ(empty.Length(), 0u);
}

TEST(RtString, TrimControlTailKeepsHighBytes) {
    RtString line("abc\r\n");
    line.TrimControlTail();
    EXPECT_STREQ(line.CText(), "abc");
    EXPECT_EQ(line.Length(), 3u);
    // Latin-1 "café" and UTF-8 "é" end in bytes above 127: they are letters, not controls.
    const char latin[] = {'c', 'a', 'f', static_cast<char>(0xE9), '\t', '\n', 0};
    RtString cafe(latin);
    cafe.TrimControlTail();
    EXPECT_EQ(cafe.Length(), 4u);
    EXPECT_EQ(cafe.CharAt(3), static_cast<signed char>(0xE9));
    RtString onlyControls("\r\n\x01");
    onlyControls.TrimControlTail();
    EXPECT_STREQ(onlyControls.CText(), "");
    RtString empty;
    empty.TrimControlTail();
    EXPECT_EQ(empty.Length(), 0u);
}

TEST(RtStringDeathTest, ImpossibleRoomEndsWithError7) {
    EXPECT_EXIT(
        {
            RtString text;
            text.Reserve(UINT32_MAX - 10);
        },
        ::testing::ExitedWithCode(7), "");
}

} // namespace
