// A small native library for the tests of GetDllProc, with number and text arguments.
#include <cstring>

extern "C" {
double HalfOf(double value) {
    return value / 2;
}
int SumOf(int a, int b) {
    return a + b;
}
int LengthOf(const char* text) {
    return static_cast<int>(std::strlen(text));
}
}
