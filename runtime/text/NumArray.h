// Game code's numeric arrays: up to four dimensions of Numbers, the first index running fastest
// in storage. Small arrays (16 slots or fewer) live inside the record; every element access is
// bounds-checked and ends the program with runtime error 9 when it misses.
#pragma once

#include <cstdint>

#include "text/ArrayShape.h"

struct NumArray : ArrayDimensions {
    NumArray() = default;
    // The record may point at its own inline slots, so it is never copied; AssignArray copies
    // the elements.
    NumArray(const NumArray&) = delete;
    NumArray& operator=(const NumArray&) = delete;
    ~NumArray();

    // Element (i, j, k, l) for game code, after the bounds check; unused dimensions take 0.
    double& operator()(double i, double j = 0, double k = 0, double l = 0) {
        return data[text::CheckedSlot(*this, ToInt(i), ToInt(j), ToInt(k), ToInt(l))];
    }

    // Null until the first DimArray; then inlineSlots or a heap block.
    double* data = nullptr;
    double inlineSlots[16] = {};
};

// Dimensions the array with sizes c1..c4 (0 for unused dimensions) and sets every element to
// 0. A first size below 1 leaves an empty array whose every access fails. Ends the program
// with runtime error 7 when the elements cannot be held.
void DimArray(NumArray& array, double c1, double c2, double c3, double c4);
// The size of dimension d (0..3); 0 for any other d.
double ArrayBounds(const NumArray& array, double d);
// Makes target a copy of source: same sizes, same elements.
void AssignArray(NumArray& target, const NumArray& source);
// Changes the sizes and keeps every element that lies in both the old and the new shape; the
// rest are 0.
void RedimArray(NumArray& array, double c1, double c2, double c3, double c4);
// Dimensions a one-dimensional array of n elements holding values[0..n-1].
void ArrayFromValues(NumArray& array, double n, const double* values);
// The runtime's own checked access to element (i, j, k, l).
double& ArrayElement(NumArray& array, int i, int j, int k, int l);
