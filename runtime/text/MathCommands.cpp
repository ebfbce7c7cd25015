#include <cmath>

#include "text/TextCommands.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

} // namespace

double SinDeg(double degrees) {
    return std::sin(degrees / kDegreesPerRadian);
}
double CosDeg(double degrees) {
    return std::cos(degrees / kDegreesPerRadian);
}
double TanDeg(double degrees) {
    return std::tan(degrees / kDegreesPerRadian);
}

double ASinDeg(double x) {
    if (x >= 1) return 90.0;
    if (x <= -1) return -90.0;
    return std::asin(x) * kDegreesPerRadian;
}

double ACosDeg(double x) {
    if (x >= 1) return 0.0;
    if (x <= -1) return 180.0;
    return std::acos(x) * kDegreesPerRadian;
}

double ATanDeg(double y, double x) {
    return std::atan2(y, x) * kDegreesPerRadian;
}
double Pow(double a, double b) {
    return std::pow(a, b);
}
double Sqrt(double x) {
    return std::sqrt(x);
}
double Abs(double x) {
    return x >= 0 ? x : -x;
}

// The remainder of the truncated values is exact in double arithmetic for every finite
// value, so whole parts beyond the 32-bit range and the smallest integer divided by -1 give the
// true remainder instead of overflowing.
double Mod(double a, double b) {
    const double dividend = std::trunc(a);
    const double divisor = std::trunc(b);
    if (divisor == 0 || !std::isfinite(dividend) || std::isnan(divisor)) return 0.0;
    const double remainder = std::fmod(dividend, divisor);
    return remainder == 0 ? 0.0 : remainder;
}
