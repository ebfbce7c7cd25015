// A small native library for the tests of GetDllProc.
extern "C" double HalfOf(double value) {
    return value / 2;
}

extern "C" int SumOf(int a, int b) {
    return a + b;
}
