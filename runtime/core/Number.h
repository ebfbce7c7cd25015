// The one conversion from a Number to an integer that every command uses.
#pragma once

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>

// Truncates toward zero. NaN gives 0; values beyond the int range, infinities included, give
// the nearest end of the range. Never undefined behaviour.
inline int ToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return static_cast<int>(value);
}

// The same for 64-bit integers.
inline int64_t ToInt64(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9223372036854775807.0) return INT64_MAX;
    if (value <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(value);
}

// A Number as a float for the GL: values beyond the float range, infinities included, give the
// largest float of their sign (a plain cast of them is undefined); NaN stays NaN.
inline float ToFloat(double value) {
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}
