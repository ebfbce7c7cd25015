#include "input/InputDevices.h"

#include <algorithm>

namespace {

struct KeyRange {
    int firstCode;
    int lastCode;
    const uint16_t* virtualKeys; // one per code of the range
};

const uint16_t kDigits[] = {49, 50, 51, 52, 53, 54, 55, 56, 57};
const uint16_t kUpperLetters[] = {81, 87, 69, 82, 84, 90, 85, 73, 79, 80};
const uint16_t kMiddleLetters[] = {65, 83, 68, 70, 71, 72, 74, 75, 76};
const uint16_t kLowerLetters[] = {89, 88, 67, 86, 66, 78, 77};
const uint16_t kFunctionKeys[] = {112, 113, 114, 115, 116, 117, 118, 119, 120, 121};

} // namespace

void input::BuildTranslationTable(uint16_t (&table)[256]) {
    // The letter rows follow a German layout: code 21 is Z and 44 is Y.
    std::fill(std::begin(table), std::end(table), 255);
    const KeyRange ranges[] = {
        {2, 10, kDigits},        {16, 25, kUpperLetters}, {30, 38, kMiddleLetters},
        {44, 50, kLowerLetters}, {59, 68, kFunctionKeys},
    };
    for (const KeyRange& range : ranges)
        for (int code = range.firstCode; code <= range.lastCode; ++code)
            table[code] = range.virtualKeys[code - range.firstCode];
    const std::pair<int, uint16_t> singles[] = {
        {0, 13},   {1, 27},   {11, 48},  {12, 219}, {13, 221},  {14, 8},   {15, 9},   {26, 186},
        {27, 187}, {28, 13},  {29, 17},  {39, 192}, {40, 222},  {41, 220}, {42, 16},  {43, 191},
        {51, 188}, {52, 190}, {53, 189}, {54, 16},  {55, 106},  {56, 18},  {57, 32},  {58, 0},
        {69, 144}, {70, 145}, {71, 103}, {72, 104}, {73, 105},  {74, 109}, {75, 100}, {76, 101},
        {77, 102}, {78, 107}, {79, 97},  {80, 98},  {81, 99},   {82, 96},  {83, 110}, {86, 226},
        {87, 122}, {88, 123}, {156, 28}, {157, 17}, {181, 111}, {184, 18}, {199, 36}, {200, 38},
        {201, 33}, {203, 37}, {205, 39}, {207, 35}, {208, 40},  {209, 34}, {210, 45}, {211, 46},
        {219, 91}, {220, 92}, {221, 93},
    };
    for (const auto& single : singles)
        table[single.first] = single.second;
}
