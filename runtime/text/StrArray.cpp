#include "text/StrArray.h"

#include <new>

#include "text/TextErrors.h"

namespace {

constexpr int32_t kSlotStep = 64;
constexpr int64_t kMaxElements = INT32_MAX - kSlotStep;

void FreeBlock(StrArray& array) {
    delete[] array.data;
    array.data = nullptr;
    array.capacity = 0;
}

} // namespace

StrArray::~StrArray() {
    FreeBlock(*this);
}

void DimStringArray(StrArray& array, double c1, double c2, double c3, double c4) {
    const text::ArrayShape shape = text::ComputeArrayShape(c1, c2, c3, c4, kMaxElements);
    const int32_t needed = static_cast<int32_t>(shape.total / kSlotStep * kSlotStep + kSlotStep);
    if (needed <= array.capacity && !shape.emptied) {
        // The strings keep their buffers for the texts to come.
        for (int32_t slot = 0; slot < needed; ++slot)
            array.data[slot] = "";
    } else {
        FreeBlock(array);
        // new[] keeps the element count in front of the first string for delete[].
        array.data = new (std::nothrow) RtString[needed];
        if (!array.data) text::EndWithRuntimeError(text::kOutOfMemoryError);
        array.capacity = needed;
    }
    text::ApplyArrayShape(array, shape);
}

double ArrayBounds(const StrArray& array, double d) {
    return text::SizeOfDimension(array, d);
}

RtString& ArrayElement(StrArray& array, int i, int j, int k, int l) {
    return array.data[text::CheckedSlot(array, i, j, k, l)];
}
