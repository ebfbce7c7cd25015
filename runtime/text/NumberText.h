// The one conversion of a Number to text that every join and print uses.
#pragma once

#include <cstdint>

namespace text {

// Room that WriteNumberText needs, terminator included.
constexpr uint32_t kNumberTextRoom = 64;

// Writes the text of a number (10 significant digits, see NumberToText) into out, which holds
// at least kNumberTextRoom bytes, and gives its length.
uint32_t WriteNumberText(double number, char* out);

} // namespace text
