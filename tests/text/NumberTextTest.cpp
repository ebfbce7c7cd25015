#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "text/TextCommands.h"

namespace {

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
    EXPECT_TRUE(std::isnan(TextToNumber(NumberToText(std::nan("")))));
    EXPECT_EQ(TextToNumber(NumberToText(-HUGE_VAL)), -HUGE_VAL);
}

} // namespace
