#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "text/TextCommands.h"

namespace {

TEST(NumberToText, WritesTenSignificantDigitsInFixedOrExponentForm) {
    using Limits = std::numeric_limits<double>;
    // Whole numbers have no point; fixed form from one tenth up to ten digits; exponent form
    // below one tenth and from eleven digits on; rounding across a power of ten moves the
    // exponent.
    const std::pair<double, const char*> cases[] = {{3, "3"},
                                                    {-0.0, "0"},
                                                    {-9999999999.0, "-9999999999"},
                                                    {-0.75, "-0.75"},
                                                    {static_cast<double>(0.1f), "0.1000000015"},
                                                    {2.0 / 3.0, "0.6666666667"},
                                                    {99999.99999, "99999.99999"},
                                                    {-0.05, "-5.e-002"},
                                                    {2.5e-10, "2.5e-010"},
                                                    {12345678901.0, "1.23456789e+010"},
                                                    {1e100, "1.e+100"},
                                                    {9999999999.5, "1.e+010"},
                                                    {0.099999999995, "0.1"},
                                                    {0.0999999999, "9.99999999e-002"},
                                                    {9.9999999999, "10"},
                                                    {Limits::max(), "1.797693135e+308"},
                                                    {Limits::denorm_min(), "4.940656458e-324"},
                                                    {-std::nan(""), "nan"},
                                                    {-HUGE_VAL, "-inf"}};
    for (const auto& [number, text] : cases) {
        EXPECT_STREQ(NumberToText(number).CText(), text);
        EXPECT_EQ(LenOfNumber(number), static_cast<double>(std::strlen(text))) << text;
    }
    EXPECT_TRUE(std::isnan(TextToNumber(NumberToText(std::nan("")))));
    EXPECT_EQ(TextToNumber(NumberToText(-HUGE_VAL)), -HUGE_VAL);
}

// Over doubles of every magnitude: the text reads back within half a unit of the tenth
// significant digit, and printing the value read back gives the same text.
TEST(NumberToText, RoundTripKeepsTenSignificantDigits) {
    std::mt19937_64 generator(20261206);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int n = 0; n < 50000; ++n) {
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
