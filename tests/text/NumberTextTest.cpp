#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "text/TextCommands.h"

namespace {

std::string Text(double number) {
    return NumberToText(number).CText();
}

TEST(NumberToText, WholeNumbersHaveNoPoint) {
    EXPECT_EQ(Text(3), "3");
    EXPECT_EQ(Text(-2), "-2");
    EXPECT_EQ(Text(0), "0");
    EXPECT_EQ(Text(1000000), "1000000");
    EXPECT_EQ(Text(9999999999.0), "9999999999");
    EXPECT_EQ(Text(-9999999999.0), "-9999999999");
}

TEST(NumberToText, FixedFormKeepsTenSignificantDigits) {
    EXPECT_EQ(Text(0.5), "0.5");
    EXPECT_EQ(Text(1234.5), "1234.5");
    EXPECT_EQ(Text(2.25), "2.25");
    EXPECT_EQ(Text(0.1), "0.1");
    EXPECT_EQ(Text(static_cast<double>(0.1f)), "0.1000000015");
    EXPECT_EQ(Text(1.0 / 3.0), "0.3333333333");
    EXPECT_EQ(Text(2.0 / 3.0), "0.6666666667");
    EXPECT_EQ(Text(99999.99999), "99999.99999");
    EXPECT_EQ(Text(0.12345678905), "0.1234567891");
    EXPECT_EQ(Text(-0.75), "-0.75");
}

TEST(NumberToText, ExponentFormBelowOneTenthAndFromTenDigitsOn) {
    EXPECT_EQ(Text(0.05), "5.e-002");
    EXPECT_EQ(Text(-0.05), "-5.e-002");
    EXPECT_EQ(Text(0.01), "1.e-002");
    EXPECT_EQ(Text(1e-5), "1.e-005");
    EXPECT_EQ(Text(2.5e-10), "2.5e-010");
    EXPECT_EQ(Text(12345678901.0), "1.23456789e+010");
    EXPECT_EQ(Text(123456789012.0), "1.23456789e+011");
    EXPECT_EQ(Text(1e100), "1.e+100");
}

TEST(NumberToText, RoundingAcrossAPowerOfTenMovesTheExponent) {
    EXPECT_EQ(Text(9999999999.5), "1.e+010");
    EXPECT_EQ(Text(9999999999.4), "9999999999");
    EXPECT_EQ(Text(0.099999999995), "0.1");
    EXPECT_EQ(Text(0.0999999999), "9.99999999e-002");
    EXPECT_EQ(Text(9.9999999999), "10");
}

TEST(NumberToText, ExtremesAndSpecialValues) {
    EXPECT_EQ(Text(1e308), "1.e+308");
    EXPECT_EQ(Text(std::numeric_limits<double>::max()), "1.797693135e+308");
    EXPECT_EQ(Text(std::numeric_limits<double>::denorm_min()), "4.940656458e-324");
    EXPECT_EQ(Text(std::numeric_limits<double>::min()), "2.225073859e-308");
    EXPECT_EQ(Text(-0.0), "0");
    EXPECT_EQ(Text(std::nan("")), "nan");
    EXPECT_EQ(Text(-std::nan("")), "nan");
    EXPECT_EQ(Text(HUGE_VAL), "inf");
    EXPECT_EQ(Text(-HUGE_VAL), "-inf");
    // The special texts read back as what they name.
    EXPECT_TRUE(std::isnan(TextToNumber(NumberToText(std::nan("")))));
    EXPECT_EQ(TextToNumber(NumberToText(-HUGE_VAL)), -HUGE_VAL);
}

TEST(NumberToText, LengthMatchesText) {
    EXPECT_EQ(NumberToText(1234.5).Length(), 6u);
    EXPECT_EQ(LenOfNumber(12.5), 4);
    EXPECT_EQ(LenOfNumber(0.05), 7);
    EXPECT_EQ(LenOfNumber(-std::numeric_limits<double>::max()), 17);
}

// Over many doubles of every magnitude: the text reads back within half a unit of the tenth
// significant digit, and printing the value read back gives the same text.
TEST(NumberToText, RoundTripKeepsTenSignificantDigits) {
    std::mt19937_64 generator(20261206);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int n = 0; n < 200000; ++n) {
        double value = mantissa(generator) * std::pow(10.0, exponent(generator));
        if (n % 2) value = -value;
        if (n % 5 == 0) value = std::round(value * 1e-290); // small whole numbers and zeros
        const RtString text = NumberToText(value);
        const double back = TextToNumber(text);
        ASSERT_LE(std::fabs(back - value), std::fabs(value) * 5.0000001e-10)
            << text.CText() << " from " << value;
        ASSERT_STREQ(NumberToText(back).CText(), text.CText());
    }
}

} // namespace
