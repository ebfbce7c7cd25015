// Game code's string arrays: the sizes, strides and bounds rule of numeric arrays with RtString
// elements, used by the commands that split texts and list files.
#pragma once

#include <cstdint>

#include "text/ArrayShape.h"
#include "text/RtString.h"

struct StrArray : ArrayDimensions {
    StrArray() = default;
    StrArray(const StrArray&) = delete;
    StrArray& operator=(const StrArray&) = delete;
    ~StrArray();

    // Element (i, j, k, l) for game code, after the bounds check; unused dimensions take 0.
    RtString& operator()(double i, double j = 0, double k = 0, double l = 0) {
        return data[text::CheckedSlot(*this, ToInt(i), ToInt(j), ToInt(k), ToInt(l))];
    }

    // Null until the first DimStringArray; then a heap block of `capacity` strings.
    RtString* data = nullptr;
};

// Dimensions the string array with sizes c1..c4 (0 for unused dimensions); every element is
// empty afterwards. Ends the program with runtime error 7 when the elements cannot be held.
void DimStringArray(StrArray& array, double c1, double c2, double c3, double c4);
// The size of dimension d (0..3); 0 for any other d.
double ArrayBounds(const StrArray& array, double d);
// The runtime's own checked access to element (i, j, k, l).
RtString& ArrayElement(StrArray& array, int i, int j, int k, int l);
