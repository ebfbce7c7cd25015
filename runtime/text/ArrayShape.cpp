#include "text/ArrayShape.h"

#include <algorithm>
#include <cmath>

#include "text/TextErrors.h"

namespace {

// A size of the second to fourth dimension: negative sizes and NaN count as 0.
double DimensionSize(double size) {
    return size >= 0 ? size : 0.0;
}

// The factor a dimension adds to the element count: its size when 1 or more, else 1.
double CountFactor(double size) {
    return size >= 1 ? size : 1.0;
}

} // namespace

void text::EndWithIndexError() {
    text::EndWithRuntimeError(text::kIndexOutOfRangeError);
}

text::ArrayShape text::ComputeArrayShape(double c1, double c2, double c3, double c4,
                                         int64_t maxTotal) {
    text::ArrayShape shape;
    if (!(c1 >= 1)) {
        c1 = 0;
        shape.emptied = true;
    }
    c2 = DimensionSize(c2);
    c3 = DimensionSize(c3);
    c4 = DimensionSize(c4);

    const double total = c1 * CountFactor(c2) * CountFactor(c3) * CountFactor(c4);
    if (total > static_cast<double>(maxTotal)) text::EndWithRuntimeError(text::kOutOfMemoryError);
    shape.total = static_cast<int64_t>(total);

    shape.dims = c4 != 0 ? 4 : c3 != 0 ? 3 : c2 != 0 ? 2 : c1 != 0 ? 1 : 0;
    const double sizes[4] = {c1, c2, c3, c4};
    for (int d = 0; d < 4; ++d)
        shape.size[d] = ToInt(sizes[d]);
    // The strides multiply the same factors as the total, so they fit. A dimension of size 0
    // steps like one of size 1: its only index is 0, and the dimensions after it keep
    // elements of their own instead of sharing slots.
    int64_t stride = shape.size[0];
    for (int d = 0; d < 3; ++d) {
        shape.stride[d] = static_cast<int32_t>(stride);
        stride *= std::max(shape.size[d + 1], 1);
    }
    return shape;
}
