// What numeric and string arrays share: the bounds rule for an element access and the shape
// that dimensioning computes.
#pragma once

#include <cstdint>

#include "core/Number.h"

// What every game array keeps beside its elements: the sizes, strides and dimension count of its
// last dimensioning, and how many elements its block holds.
struct ArrayDimensions {
    int32_t stride1 = 0;
    int32_t stride2 = 0;
    int32_t stride3 = 0;
    int32_t size1 = 0;
    int32_t size2 = 0;
    int32_t size3 = 0;
    int32_t size4 = 0;
    int32_t dims = 0;
    int32_t capacity = 0;
};

namespace text {

// Ends the program with runtime error 9 (index out of range).
[[noreturn]] void EndWithIndexError();

// The sizes, strides and dimension count that one dimensioning gives.
struct ArrayShape {
    int32_t size[4] = {};
    int32_t stride[3] = {};
    int32_t dims = 0;
    // Elements in use: the first size times every further size that is 1 or more.
    int64_t total = 0;
    // True when the first size was below 1 (or not a number): the array is rebuilt empty.
    bool emptied = false;
};

// The shape for sizes c1..c4 as game code passes them. Sizes of the second to fourth
// dimension that are negative or not a number count as 0. Each stride is the product of the
// sizes before it, a size of 0 stepping like 1. Ends the program with runtime error 7 when
// the element count exceeds maxTotal.
ArrayShape ComputeArrayShape(double c1, double c2, double c3, double c4, int64_t maxTotal);

// The storage index of element (i, j, k, l), after the bounds check: the first index must lie
// in 0..size1-1 of a dimensioned array; each further index must lie in 0..size-1 of its
// dimension, and must be 0 for a dimension of size 0. Any failure ends the program with
// runtime error 9.
template <class Array> int64_t CheckedSlot(const Array& array, int i, int j, int k, int l) {
    const bool inRange = array.data != nullptr && i >= 0 && i < array.size1 && j >= 0 &&
                         (j < array.size2 || j == 0) && k >= 0 && (k < array.size3 || k == 0) &&
                         l >= 0 && (l < array.size4 || l == 0);
    if (!inRange) EndWithIndexError();
    return i + int64_t{j} * array.stride1 + int64_t{k} * array.stride2 + int64_t{l} * array.stride3;
}

// Copies a computed shape into an array's size, stride and dimension fields.
template <class Array> void ApplyArrayShape(Array& array, const ArrayShape& shape) {
    array.size1 = shape.size[0];
    array.size2 = shape.size[1];
    array.size3 = shape.size[2];
    array.size4 = shape.size[3];
    array.stride1 = shape.stride[0];
    array.stride2 = shape.stride[1];
    array.stride3 = shape.stride[2];
    array.dims = shape.dims;
}

// The size of dimension d (0..3); 0 for any other d.
template <class Array> double SizeOfDimension(const Array& array, double d) {
    const int32_t sizes[4] = {array.size1, array.size2, array.size3, array.size4};
    const int dimension = ToInt(d);
    return dimension >= 0 && dimension < 4 ? sizes[dimension] : 0.0;
}

} // namespace text
