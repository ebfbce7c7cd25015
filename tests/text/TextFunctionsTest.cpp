#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "text/TextCommands.h"

namespace {

TEST(NumberFunctions, TrigonometryInDegrees) {
    EXPECT_DOUBLE_EQ(SinDeg(90), 1.0);
    EXPECT_DOUBLE_EQ(CosDeg(180), -1.0);
    EXPECT_NEAR(TanDeg(45), 1.0, 1e-12);
    EXPECT_EQ(ASinDeg(2), 90.0);
    EXPECT_EQ(ASinDeg(-1), -90.0);
    EXPECT_NEAR(ASinDeg(0.5), 30.0, 1e-12);
    EXPECT_EQ(ACosDeg(-3), 180.0);
    EXPECT_EQ(ACosDeg(1), 0.0);
    EXPECT_NEAR(ACosDeg(0.5), 60.0, 1e-12);
    EXPECT_DOUBLE_EQ(ATanDeg(1, -1), 135.0);
    EXPECT_DOUBLE_EQ(ATanDeg(-1, -1), -135.0);
}

TEST(NumberFunctions, PowersAndAbs) {
    EXPECT_EQ(Pow(2, 10), 1024.0);
    EXPECT_TRUE(std::isnan(Pow(-8, 1.0 / 3.0)));
    EXPECT_EQ(Sqrt(81), 9.0);
    EXPECT_TRUE(std::isnan(Sqrt(-1)));
    EXPECT_EQ(Abs(-3.5), 3.5);
    EXPECT_EQ(Abs(2), 2.0);
}

TEST(NumberFunctions, ModOfWholeParts) {
    EXPECT_EQ(Mod(7, 3), 1.0);
    EXPECT_EQ(Mod(-7, 3), -1.0);
    EXPECT_EQ(Mod(7.9, 3.9), 1.0);
    EXPECT_EQ(Mod(-5, 3), -2.0);
    EXPECT_EQ(Mod(5, 0), 0.0);
    EXPECT_EQ(Mod(5, 0.5), 0.0);
    EXPECT_EQ(Mod(7, -3), 1.0);
    // Beyond the 32-bit range and the one division that overflows 32-bit integers.
    EXPECT_EQ(Mod(INT_MIN, -1), 0.0);
    EXPECT_FALSE(std::signbit(Mod(INT_MIN, -1)));
    EXPECT_EQ(Mod(1e10 + 7, 10), 7.0);
    EXPECT_EQ(Mod(-3e12 - 5, 1e12), -5.0);
    EXPECT_EQ(Mod(9, 4e9), 9.0);
    EXPECT_EQ(Mod(std::nan(""), 3), 0.0);
    EXPECT_EQ(Mod(3, std::nan("")), 0.0);
    EXPECT_EQ(Mod(HUGE_VAL, 3), 0.0);
    EXPECT_EQ(Mod(5, HUGE_VAL), 5.0);
}

TEST(TextFunctions, LengthsAndCodes) {
    EXPECT_EQ(Len(RtString("crab")), 4.0);
    EXPECT_EQ(Len(RtString()), 0.0);
    const char high[] = {static_cast<char>(200), 'x', 0};
    EXPECT_EQ(Asc(RtString(high)), -56.0);
    EXPECT_EQ(Asc(RtString("A")), 65.0);
    EXPECT_EQ(Asc(RtString()), 0.0);
    EXPECT_STREQ(Chr(65).CText(), "A");
    EXPECT_STREQ(Chr(321).CText(), "A");
    EXPECT_STREQ(Chr(65.9).CText(), "A");
    EXPECT_STREQ(Chr(0).CText(), "");
    EXPECT_EQ(Chr(256).Length(), 0u);
    EXPECT_EQ(Chr(200).CharAt(0), -56);
    EXPECT_EQ(Chr(std::nan("")).Length(), 0u);
}

TEST(TextFunctions, CaseChangesOnlyAsciiLetters) {
    EXPECT_STREQ(LowerCase(RtString("ABC-Def")).CText(), "abc-def");
    EXPECT_STREQ(UpperCase(RtString("ABC-Def")).CText(), "ABC-DEF");
    const char latin[] = {'A', static_cast<char>(0xC9), 'z', 0};
    const RtString mixed(latin);
    EXPECT_EQ(LowerCase(mixed).CharAt(1), static_cast<signed char>(0xC9));
    EXPECT_EQ(UpperCase(mixed).CharAt(2), 'Z');
    EXPECT_STREQ(mixed.CText(), latin);
    EXPECT_EQ(UpperCase(RtString()).Length(), 0u);
}

TEST(TextFunctions, InStrFindsBytePositions) {
    EXPECT_EQ(InStr(RtString("crab"), RtString("ab")), 2.0);
    EXPECT_EQ(InStr(RtString("crab"), ""), 0.0);
    EXPECT_EQ(InStr("crab", RtString("x")), -1.0);
    EXPECT_EQ(InStr("Crab", "c"), -1.0);
    EXPECT_EQ(InStr(RtString(), RtString()), 0.0);
    EXPECT_EQ(InStr(static_cast<const char*>(nullptr), "a"), -1.0);
}

TEST(TextFunctions, HexOfBytes) {
    const unsigned char bytes[] = {0x00, 0x9F, 0xAB, 0xFF, 0x10};
    EXPECT_STREQ(HexOfBytes(bytes, 5).CText(), "009FABFF10");
    EXPECT_STREQ(HexOfBytes(bytes, 2.7).CText(), "009F");
    EXPECT_EQ(HexOfBytes(bytes, 0).Length(), 0u);
    EXPECT_EQ(HexOfBytes(bytes, -4).Length(), 0u);
    EXPECT_EQ(HexOfBytes(nullptr, 4).Length(), 0u);
    std::vector<unsigned char> many(1000, 0xA5);
    EXPECT_EQ(HexOfBytes(many.data(), 1000).Length(), 2000u);
}

TEST(TextFunctions, FormatNumber) {
    EXPECT_STREQ(FormatNumber(8, 2, 3.14159).CText(), "    3.14");
    EXPECT_STREQ(FormatNumber(0, 3, -2.5).CText(), "-2.500");
    EXPECT_STREQ(FormatNumber(3.9, 0.9, 12.7).CText(), " 13");
    EXPECT_STREQ(FormatNumber(-6, 1, 2.25).CText(), "2.2   ");
    EXPECT_STREQ(FormatNumber(1, -5, 2.5).CText(), "2");
    // Huge widths are capped and the largest doubles keep every digit.
    EXPECT_EQ(FormatNumber(1e9, 0, 1).Length(), 255u);
    EXPECT_EQ(FormatNumber(0, 2, 1e308).Length(), 312u);
    EXPECT_STREQ(FormatNumber(0, 1, std::nan("")).CText(), "nan");
}

TEST(TextFunctions, SplitStringSkipsRunsOfDelimiters) {
    StrArray parts;
    const RtString text(",,a,,b,");
    EXPECT_EQ(SplitString(text, parts, RtString(",")), 2.0);
    EXPECT_STREQ(parts(0).CText(), "a");
    EXPECT_STREQ(parts(1).CText(), "b");
    EXPECT_EQ(ArrayBounds(parts, 0), 2.0);
    EXPECT_EQ(parts.dims, 1);
    EXPECT_STREQ(text.CText(), ",,a,,b,");
    EXPECT_EQ(text.Length(), 7u);

    EXPECT_EQ(SplitString(RtString("10 20;x"), parts, RtString(" ;")), 3.0);
    EXPECT_STREQ(parts(2).CText(), "x");
    EXPECT_EQ(SplitString(RtString("single"), parts, RtString(",")), 1.0);
    EXPECT_STREQ(parts(0).CText(), "single");
    EXPECT_EQ(SplitString(RtString(), parts, RtString(",")), 0.0);
    EXPECT_EQ(parts.dims, 0);
    EXPECT_EQ(SplitString(RtString(",,,"), parts, RtString(",")), 0.0);
    EXPECT_EQ(SplitString(RtString("a b"), parts, RtString()), 1.0);
    EXPECT_STREQ(parts(0).CText(), "a b");

    // Many parts, and a source that is itself an element of the parts.
    RtString many;
    for (int i = 0; i < 1500; ++i)
        many += RtString(i) + ",";
    EXPECT_EQ(SplitString(many, parts, RtString(",")), 1500.0);
    EXPECT_STREQ(parts(1499).CText(), "1499");
    EXPECT_EQ(SplitString(parts(1499), parts, RtString("9")), 1.0);
    EXPECT_STREQ(parts(0).CText(), "14");
}

TEST(TextFunctions, MidText) {
    // Fractional arguments stay fractional until they pick bytes: a count reaching beyond the
    // end becomes length - start (4 - 1.9 = 2.1, so 2 bytes from position 1).
    const struct {
        double start, count;
        const char* part;
    } rows[] = {
        {1, 2, "ra"},     {2, 10, "ab"},     {0, 4, "crab"},     {1.9, 2.9, "ra"},
        {1.9, 3.5, "ra"}, {2.9, 2.2, "a"},   {3.2, 0.9, ""},     {-0.5, 2, ""},
        {-1, 3, ""},      {4, 1, ""},        {5, 1, ""},         {1, 0, ""},
        {1, -2, ""},      {1, 1e300, "rab"}, {1e300, 1e300, ""}, {std::nan(""), 2, "cr"},
    };
    const RtString crab("crab");
    for (const auto& row : rows)
        EXPECT_STREQ(MidText(crab, row.start, row.count).CText(), row.part)
            << row.start << ", " << row.count;
    EXPECT_EQ(MidText(RtString(), 0, 5).Length(), 0u);
}

TEST(TextFunctions, ReplaceTextChangesTheTextInPlace) {
    RtString text("a-b-c");
    EXPECT_STREQ(ReplaceText(text, RtString("-"), RtString("+")).CText(), "a+b+c");
    EXPECT_STREQ(text.CText(), "a+b+c");

    RtString longer("a-b-c");
    EXPECT_STREQ(ReplaceText(longer, RtString("-"), RtString("--")).CText(), "a--b--c");
    RtString shorter("x--y--z");
    EXPECT_STREQ(ReplaceText(shorter, RtString("--"), RtString("")).CText(), "xyz");
    EXPECT_EQ(shorter.Length(), 3u);
    RtString overlapping("aaaa");
    EXPECT_STREQ(ReplaceText(overlapping, RtString("aa"), RtString("a")).CText(), "a");
    RtString vanishing("abab");
    EXPECT_STREQ(ReplaceText(vanishing, RtString("ab"), RtString()).CText(), "");
    RtString growing("crab");
    EXPECT_STREQ(ReplaceText(growing, RtString("crab"), RtString("crabcrab")).CText(), "crabcrab");
    RtString none("crab");
    EXPECT_STREQ(ReplaceText(none, RtString("x"), RtString("yy")).CText(), "crab");
}

TEST(TextFunctions, ReplaceTextSearchesFromInsideTheInsertedText) {
    // After "ab" -> "xxa" the search resumes one byte before the end of "xxa", so the "a" of
    // the inserted text and the following "b" make the next match.
    RtString text("abb");
    EXPECT_STREQ(ReplaceText(text, RtString("ab"), RtString("xxa")).CText(), "xxxxa");
    RtString chain("abbb");
    EXPECT_STREQ(ReplaceText(chain, RtString("ab"), RtString("xxa")).CText(), "xxxxxxa");
}

TEST(TextFunctions, ReplaceTextWithEmptyFindOrAliases) {
    RtString text("crab");
    EXPECT_STREQ(ReplaceText(text, RtString(), RtString("x")).CText(), "crab");
    EXPECT_STREQ(ReplaceText(text, text, RtString("sand")).CText(), "sand");
    RtString twice("ab");
    EXPECT_STREQ(ReplaceText(twice, RtString("b"), twice).CText(), "aab");
}

} // namespace
