// The runtime errors that strings and arrays raise.
#pragma once

namespace text {

constexpr int kOutOfMemoryError = 7;
constexpr int kIndexOutOfRangeError = 9;

// Records the runtime error and ends the program through EndProgram.
[[noreturn]] void EndWithRuntimeError(int number);

} // namespace text
