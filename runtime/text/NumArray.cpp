#include "text/NumArray.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "text/TextErrors.h"

namespace {

constexpr int32_t kInlineSlots = 16;
constexpr int32_t kSlotStep = 8;
// The slot count stays a positive 32-bit value after rounding up to the next step.
constexpr int64_t kMaxElements = INT32_MAX - kSlotStep;

bool HasHeapBlock(const NumArray& array) {
    return array.data != nullptr && array.data != array.inlineSlots;
}

void FreeBlock(NumArray& array) {
    if (HasHeapBlock(array)) std::free(array.data);
    array.data = nullptr;
    array.capacity = 0;
}

// Elements in storage order that the array's sizes cover: size1 times every further size of 1
// or more.
int64_t ElementsInUse(const NumArray& array) {
    int64_t count = array.size1;
    for (int32_t size : {array.size2, array.size3, array.size4})
        if (size >= 1) count *= size;
    return std::max<int64_t>(count, 0);
}

void SwapRecords(NumArray& a, NumArray& b) {
    std::swap(a.data, b.data);
    std::swap(static_cast<ArrayDimensions&>(a), static_cast<ArrayDimensions&>(b));
}

} // namespace

NumArray::~NumArray() {
    FreeBlock(*this);
}

void DimArray(NumArray& array, double c1, double c2, double c3, double c4) {
    const text::ArrayShape shape = text::ComputeArrayShape(c1, c2, c3, c4, kMaxElements);
    const int32_t needed = static_cast<int32_t>(shape.total / kSlotStep * kSlotStep + kSlotStep);
    if (array.capacity < needed || shape.emptied) {
        FreeBlock(array);
        if (needed > kInlineSlots) {
            // A fresh block from calloc is already zero (large ones lazily, page by page).
            array.data = static_cast<double*>(std::calloc(needed, sizeof(double)));
            if (!array.data) text::EndWithRuntimeError(text::kOutOfMemoryError);
        } else {
            array.data = array.inlineSlots;
            std::fill_n(array.inlineSlots, kInlineSlots, 0.0);
        }
        array.capacity = needed;
    } else {
        std::fill_n(array.data, array.capacity, 0.0);
    }
    text::ApplyArrayShape(array, shape);
}

double ArrayBounds(const NumArray& array, double d) {
    return text::SizeOfDimension(array, d);
}

double& ArrayElement(NumArray& array, int i, int j, int k, int l) {
    return array.data[text::CheckedSlot(array, i, j, k, l)];
}

void AssignArray(NumArray& target, const NumArray& source) {
    if (&target == &source) return;
    DimArray(target, source.size1, source.size2, source.size3, source.size4);
    const int64_t count = std::min<int64_t>(ElementsInUse(source), target.capacity);
    if (count > 0) std::memcpy(target.data, source.data, count * sizeof(double));
}

void RedimArray(NumArray& array, double c1, double c2, double c3, double c4) {
    NumArray resized;
    DimArray(resized, c1, c2, c3, c4);

    if (array.dims >= 1 && array.data != nullptr) {
        // Overlap of the two shapes per dimension; a dimension of size 0 takes index 0 only.
        const auto overlap = [](int32_t oldSize, int32_t newSize) {
            return std::max(std::min(oldSize, newSize), 1);
        };
        const int32_t m1 = std::min(array.size1, resized.size1);
        const int32_t m2 = overlap(array.size2, resized.size2);
        const int32_t m3 = overlap(array.size3, resized.size3);
        const int32_t m4 = overlap(array.size4, resized.size4);
        for (int32_t l = 0; l < m4; ++l)
            for (int32_t k = 0; k < m3; ++k)
                for (int32_t j = 0; j < m2; ++j)
                    for (int32_t i = 0; i < m1; ++i)
                        ArrayElement(resized, i, j, k, l) = ArrayElement(array, i, j, k, l);
    }

    if (HasHeapBlock(array) && HasHeapBlock(resized)) {
        SwapRecords(array, resized);
        return;
    }
    DimArray(array, c1, c2, c3, c4);
    std::memcpy(array.data, resized.data, resized.capacity * sizeof(double));
}

void ArrayFromValues(NumArray& array, double n, const double* values) {
    DimArray(array, n, 0, 0, 0);
    if (values && array.size1 > 0) std::memcpy(array.data, values, array.size1 * sizeof(double));
}
