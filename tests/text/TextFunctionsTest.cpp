#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "text/TextCommands.h"

namespace {

const double kNan = std::nan("");

TEST(NumberToText, WritesTenSignificantDigitsInFixedOrExponentForm) {
    using Limits = std::numeric_limits<double>;
    // Whole numbers have no point; fixed form from one tenth up to ten digits; exponent form
    // below one tenth and from eleven digits on; rounding across a power of ten moves the
    // exponent.
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {3, "3"}, {-0.0, "0"}, {-9999999999.0, "-9999999999"}, {-0.75, "-0.75"},
        {double(0.1f), "0.1000000015"}, {2.0 / 3.0, "0.6666666667"}, {99999.99999, "99999.99999"},
        {-0.05, "-5.e-002"}, {2.5e-10, "2.5e-010"}, {12345678901.0, "1.23456789e+010"},
        {1e100, "1.e+100"}, {9999999999.5, "1.e+010"}, {0.099999999995, "0.1"},
        {0.0999999999, "9.99999999e-002"}, {9.9999999999, "10"},
        {Limits::max(), "1.797693135e+308"}, {Limits::denorm_min(), "4.940656458e-324"},
        {-std::nan(""), "nan"}, {-HUGE_VAL, "-inf"}};
    // clang-format on
    for (const auto& [number, text] : cases) {
        EXPECT_STREQ(NumberToText(number).CText(), text);
        EXPECT_EQ(LenOfNumber(number), static_cast<double>(std::strlen(text))) << text;
    }
}

// Mod works on the whole parts, with the sign of the dividend; 0 where undefined.
TEST(NumberFunctions, ResultsInDegreesAndWholeParts) {
    // clang-format off
    const std::pair<double, double> cases[] = {
        {SinDeg(90), 1}, {CosDeg(180), -1}, {ASinDeg(2), 90}, {ACosDeg(0.5), 60},
        {ATanDeg(-1, -1), -135}, {Pow(2, 10), 1024}, {Sqrt(81), 9}, {Abs(-3.5), 3.5},
        {Mod(-7, 3), -1}, {Mod(7.9, 3.9), 1}, {Mod(7, -3), 1}, {Mod(5, 0.5), 0},
        {Mod(INT_MIN, -1), 0}, {Mod(-3e12 - 5, 1e12), -5}, {Mod(kNan, 3), 0},
        {Mod(HUGE_VAL, 3), 0}, {Mod(5, HUGE_VAL), 5}};
    // clang-format on
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NEAR(cases[i].first, cases[i].second, 1e-12) << "case " << i;
    EXPECT_TRUE(std::isnan(Pow(-8, 1.0 / 3.0)));
    EXPECT_TRUE(std::isnan(Sqrt(-1)));
    EXPECT_FALSE(std::signbit(Mod(INT_MIN, -1)));
}

TEST(TextFunctions, CodesLengthsCaseAndSearch) {
    const RtString crab("crab"), latin("A\xC9z");
    // clang-format off
    const std::pair<double, double> numbers[] = {
        {Len(crab), 4}, {Asc(RtString("\xC8x")), -56}, {Asc(RtString()), 0},
        {InStr(crab, RtString("ab")), 2}, {InStr(crab, ""), 0}, {InStr("Crab", "c"), -1},
        {InStr(static_cast<const char*>(nullptr), "a"), -1}};
    // clang-format on
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(numbers[i].first, numbers[i].second) << "case " << i;
    const unsigned char bytes[] = {0x00, 0x9F, 0xAB, 0xFF, 0x10};
    // clang-format off
    const std::pair<RtString, const char*> texts[] = {
        {Chr(321), "A"}, {Chr(65.9), "A"}, {Chr(0), ""}, {Chr(kNan), ""}, {Chr(200), "\xC8"},
        {LowerCase(latin), "a\xC9z"}, {UpperCase(latin), "A\xC9Z"}, {latin, "A\xC9z"},
        {HexOfBytes(bytes, 5), "009FABFF10"}, {HexOfBytes(bytes, 2.7), "009F"},
        {HexOfBytes(bytes, -4), ""}, {HexOfBytes(nullptr, 4), ""}};
    // clang-format on
    for (const auto& [got, want] : texts)
        EXPECT_STREQ(got.CText(), want);
}

TEST(TextFunctions, FormatNumber) {
    const std::tuple<double, double, double, const char*> cases[] = {
        {8, 2, 3.14159, "    3.14"}, {0, 3, -2.5, "-2.500"}, {3.9, 0.9, 12.7, " 13"},
        {-6, 1, 2.25, "2.2   "},     {1, -5, 2.5, "2"},      {0, 1, kNan, "nan"}};
    for (const auto& [width, decimals, number, text] : cases)
        EXPECT_STREQ(FormatNumber(width, decimals, number).CText(), text);
    // Huge widths are capped and the largest doubles keep every digit.
    EXPECT_EQ(FormatNumber(1e9, 0, 1).Length(), 255u);
    EXPECT_EQ(FormatNumber(0, 2, 1e308).Length(), 312u);
}

TEST(TextFunctions, SplitStringSkipsRunsOfDelimiters) {
    // Text, delimiters -> the parts, joined by "|".
    // clang-format off
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {",,a,,b,", ",", "a|b"}, {"10 20;x", " ;", "10|20|x"}, {"single", ",", "single"},
        {"", ",", ""}, {",,,", ",", ""}, {"a b", "", "a b"}};
    // clang-format on
    for (const auto& [source, delimiters, joined] : cases) {
        StrArray parts;
        const double count = SplitString(RtString(source), parts, RtString(delimiters));
        EXPECT_EQ(ArrayBounds(parts, 0), count) << source;
        std::string got;
        for (int i = 0; i < count; ++i)
            got += (i ? "|" : "") + std::string(parts(i).CText());
        EXPECT_EQ(got, joined) << source;
    }
    // Many parts, and a source that is itself an element of the parts.
    StrArray parts;
    RtString many;
    for (int i = 0; i < 1500; ++i)
        many += RtString(i) + ",";
    EXPECT_EQ(SplitString(many, parts, RtString(",")), 1500.0);
    EXPECT_EQ(SplitString(parts(1499), parts, RtString("9")), 1.0);
    EXPECT_STREQ(parts(0).CText(), "14");
}

TEST(TextFunctions, MidText) {
    // Fractional arguments stay fractional until they pick bytes: a count reaching beyond the
    // end becomes length - start (4 - 1.9 = 2.1, so 2 bytes from position 1).
    const std::tuple<double, double, const char*> rows[] = {
        {1, 2, "ra"},     {2, 10, "ab"},     {0, 4, "crab"},     {1.9, 2.9, "ra"},
        {1.9, 3.5, "ra"}, {2.9, 2.2, "a"},   {3.2, 0.9, ""},     {-0.5, 2, ""},
        {-1, 3, ""},      {4, 1, ""},        {5, 1, ""},         {1, 0, ""},
        {1, -2, ""},      {1, 1e300, "rab"}, {1e300, 1e300, ""}, {kNan, 2, "cr"}};
    for (const auto& [start, count, part] : rows)
        EXPECT_STREQ(MidText(RtString("crab"), start, count).CText(), part)
            << start << ", " << count;
}

TEST(TextFunctions, ReplaceTextChangesTheTextInPlace) {
    // clang-format off
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"a-b-c", "-", "--", "a--b--c"}, {"x--y--z", "--", "", "xyz"}, {"aaaa", "aa", "a", "a"},
        {"abab", "ab", "", ""}, {"crab", "crab", "crabcrab", "crabcrab"}, {"crab", "", "x", "crab"},
        // The search resumes one byte before the end of the inserted text.
        {"abb", "ab", "xxa", "xxxxa"}, {"abbb", "ab", "xxa", "xxxxxxa"}};
    // clang-format on
    for (const auto& [source, find, with, result] : cases) {
        RtString text(source);
        EXPECT_STREQ(ReplaceText(text, RtString(find), RtString(with)).CText(), result) << source;
        EXPECT_STREQ(text.CText(), result) << source;
        EXPECT_EQ(text.Length(), std::strlen(result)) << source;
    }
    RtString text("crab");
    EXPECT_STREQ(ReplaceText(text, text, RtString("sand")).CText(), "sand");
    RtString twice("ab");
    EXPECT_STREQ(ReplaceText(twice, RtString("b"), twice).CText(), "aab");
}

} // namespace
