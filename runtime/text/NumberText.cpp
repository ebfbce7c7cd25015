#include "text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kSignificantDigits = 10;

// Copies text into out and gives its length.
uint32_t WriteFixedText(const char* text, char* out) {
    const size_t length = std::strlen(text);
    std::memcpy(out, text, length + 1);
    return static_cast<uint32_t>(length);
}

// Drops trailing zeros of the digits from index `first` on; gives the new digit count.
int WithoutTrailingZeros(const char* digits, int first, int count) {
    while (count > first && digits[count - 1] == '0')
        --count;
    return count;
}

} // namespace

// The C library rounds correctly to 10 significant digits ("%.9e"), which also settles the
// exponent of values that round up across a power of ten (9999999999.5 becomes 1e10). The
// digits and exponent are then laid out in the fixed or exponent form of the classic
// 10-digit conversion.
uint32_t text::WriteNumberText(double number, char* out) {
    if (std::isnan(number)) return WriteFixedText("nan", out);
    if (std::isinf(number)) return WriteFixedText(number < 0 ? "-inf" : "inf", out);
    if (number == 0.0) return WriteFixedText("0", out);

    char scientific[32];
    std::snprintf(scientific, sizeof(scientific), "%.*e", kSignificantDigits - 1, number);
    // scientific is "[-]d.ddddddddde[+-]xx[x]".
    const char* cursor = scientific;
    const bool negative = *cursor == '-';
    if (negative) ++cursor;
    char digits[kSignificantDigits];
    int digitCount = 0;
    for (; *cursor != 'e'; ++cursor)
        if (*cursor != '.') digits[digitCount++] = *cursor;
    const int exponent = std::atoi(cursor + 1);

    char* write = out;
    if (negative) *write++ = '-';
    if (exponent < -1 || exponent > kSignificantDigits - 1) {
        const int kept = WithoutTrailingZeros(digits, 1, digitCount);
        *write++ = digits[0];
        *write++ = '.';
        std::memcpy(write, digits + 1, kept - 1);
        write += kept - 1;
        write += std::snprintf(write, 8, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    } else if (exponent == -1) {
        const int kept = WithoutTrailingZeros(digits, 0, digitCount);
        *write++ = '0';
        *write++ = '.';
        std::memcpy(write, digits, kept);
        write += kept;
    } else {
        const int wholeDigits = exponent + 1;
        const int kept = WithoutTrailingZeros(digits, wholeDigits, digitCount);
        std::memcpy(write, digits, wholeDigits);
        write += wholeDigits;
        // The point goes only in front of fraction digits; a whole number has none.
        if (kept > wholeDigits) {
            *write++ = '.';
            std::memcpy(write, digits + wholeDigits, kept - wholeDigits);
            write += kept - wholeDigits;
        }
    }
    *write = '\0';
    return static_cast<uint32_t>(write - out);
}
