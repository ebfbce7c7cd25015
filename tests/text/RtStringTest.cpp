#include <gtest/gtest.h>

#include <climits>

#include "text/TextCommands.h"

namespace {

std::string S(const RtString& text) {
    return text.CText();
}

TEST(RtString, CopiesOwnTheirTextAndAppendingItselfIsSafe) {
    RtString original("crab");
    RtString copy(original), assigned;
    assigned = original;
    original.SetCharAt(0, 'g');
    EXPECT_EQ(S(original), "grab");
    EXPECT_EQ(S(copy), "crab");
    EXPECT_EQ(S(assigned), "crab");

    RtString text("abcdefgh");
    for (int i = 0; i < 7; ++i)
        text += text; // grows across several reallocations
    EXPECT_EQ(text.Length(), 8u * 128u);
    EXPECT_EQ(S(text).substr(1016), "abcdefgh");
    RtString tail("0123456789");
    tail += tail.CText() + 5;
    EXPECT_EQ(S(tail), "012345678956789");
    tail = tail.CText() + 10;
    EXPECT_EQ(S(tail), "56789");
    EXPECT_EQ(S(RtString(static_cast<const char*>(nullptr))), "");
}

TEST(RtString, NumbersJoinAsTheirText) {
    RtString assigned("old text");
    assigned = 1.5f;
    assigned += 3;
    assigned += 0.25;
    RtString self("3 lives");
    JoinText(self, self, self);
    // clang-format off
    const std::pair<std::string, const char*> cases[] = {
        {S(RtString(INT_MIN)), "-2147483648"}, {S(assigned), "1.530.25"},
        {S(2.5 + RtString(" m")), "2.5 m"}, {S(RtString("a") + "b" + 1 + 0.5f), "ab10.5"},
        {S(RtString("n=") + 4000000000u), "n=4000000000"}, {S(self), "3 lives3 lives"}};
    // clang-format on
    for (const auto& [got, want] : cases)
        EXPECT_EQ(got, want);
}

// Texts compare by unsigned bytes, a text with a number by the text's numeric prefix.
TEST(RtString, ComparesTextsByUnsignedBytesAndTextWithNumbersNumerically) {
    const RtString ten("10"), nine("9"), high("\xC8");
    // clang-format off
    const std::pair<double, double> cases[] = {
        {ten < nine, 1}, {"10" != ten, 0}, {ten >= "2", 0}, {high > "z", 1}, {ten > 9, 1},
        {9.5 < ten, 1}, {ten != 10.0, 0}, {ten >= 11, 0}, {RtString("abc") == 0, 1},
        {CompareText(ten, 9), 1}, {CompareText(3, ten), -1}, {RtString("nan") == 1.0, 0},
        {TextToNumber("12abc"), 12}, {TextToNumber("abc"), 0}, {TextToNumber("  -3.5e2x"), -350},
        {TextToNumber(""), 0}, {TextToNumber(static_cast<const char*>(nullptr)), 0}};
    // clang-format on
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    EXPECT_GT(CompareText(high, "z"), 0);
}

TEST(RtString, CharAccessStaysInsideTheText) {
    RtString empty;
    empty.SetCharAt(0, 'x'); // the shared empty text is never written
    RtString text("a\xC8");
    for (int outside : {-1, 2, 511, 512, 100000}) {
        EXPECT_EQ(text.CharAt(outside), 0) << outside;
        text.SetCharAt(outside, 'x');
        text.TruncateAt(outside);
    }
    EXPECT_EQ(S(text), "a\xC8");
    EXPECT_EQ(S(RtString()), "");
}

TEST(RtStringDeathTest, ImpossibleRoomEndsWithError7) {
    RtString text;
    EXPECT_EXIT(text.Reserve(UINT32_MAX - 10), ::testing::ExitedWithCode(7), "");
}

} // namespace
