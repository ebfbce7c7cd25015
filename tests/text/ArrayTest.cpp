#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "text/TextCommands.h"

namespace {

TEST(NumArray, BoundsAreTheSizesAndOddSizesCountSafely) {
    NumArray array;
    EXPECT_EQ(ArrayBounds(array, 0), 0.0) << "never dimensioned";
    // Sizes given -> bounds of dimensions 0..4 and -1: truncated, negative and NaN sizes of
    // later dimensions count as 0, a NaN first size leaves the array empty.
    // clang-format off
    const std::pair<std::vector<double>, std::vector<double>> rows[] = {
        {{51, 3, 0, 0}, {51, 3, 0, 0, 0, 0}}, {{2.9, 2.9, 4, 5}, {2, 2, 4, 5, 0, 0}},
        {{4, -3, NAN, 0}, {4, 0, 0, 0, 0, 0}}, {{NAN, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}};
    // clang-format on
    for (const auto& [sizes, bounds] : rows) {
        DimArray(array, sizes[0], sizes[1], sizes[2], sizes[3]);
        for (int d = 0; d < 6; ++d)
            EXPECT_EQ(ArrayBounds(array, d < 5 ? d : -1), bounds[d])
                << sizes[0] << " x " << sizes[1] << ", dimension " << d;
    }
}

TEST(NumArray, DimEmptiesEveryElementOfAReusedBlockAndCopiesCopyShapeAndElements) {
    NumArray array, target;
    for (double size : {200.0, 8.0, 200.0}) {
        DimArray(array, size, 2, 0, 0);
        for (int i = 0; i < size; ++i) {
            ASSERT_EQ(array(i, 1), 0.0) << size << " " << i;
            array(i, 1) = i + 1;
        }
    }
    DimArray(target, 100, 0, 0, 0);
    AssignArray(target, array);
    AssignArray(target, target);
    EXPECT_EQ(ArrayBounds(target, 1), 2.0);
    EXPECT_EQ(target(199, 1), 200.0);
    AssignArray(target, NumArray());
    EXPECT_EQ(ArrayBounds(target, 0), 0.0);
    const double values[] = {3, 1, 4};
    ArrayFromValues(target, 3, values);
    EXPECT_EQ(target(2), 4.0);
    ArrayFromValues(target, 3, nullptr);
    EXPECT_EQ(target(2), 0.0);
}

TEST(NumArray, RedimKeepsTheOverlapForRandomShapes) {
    std::mt19937 generator(77);
    std::uniform_int_distribution<int> size(0, 6), dims(1, 4);
    // A value that names the indices of the element.
    const auto tag = [](const int at[4]) {
        return 1 + at[0] + 100 * at[1] + 10000 * at[2] + 1000000 * at[3];
    };
    const auto extent = [](int size) { return size > 0 ? size : 1; };
    for (int round = 0; round < 400; ++round) {
        int from[4] = {}, to[4] = {};
        const int fromDims = dims(generator), toDims = dims(generator);
        for (int d = 0; d < 4; ++d) {
            from[d] = d < fromDims ? size(generator) : 0;
            to[d] = d < toDims ? size(generator) : 0;
        }
        from[0] += round % 7 == 0 ? 40 : 0; // a few shapes grow into heap blocks
        to[0] += round % 5 == 0 ? 40 : 0;
        NumArray array;
        DimArray(array, from[0], from[1], from[2], from[3]);
        for (int n = 0; n < from[0] * extent(from[1]) * extent(from[2]) * extent(from[3]); ++n) {
            const int at[4] = {n % from[0], n / from[0] % extent(from[1]),
                               n / from[0] / extent(from[1]) % extent(from[2]),
                               n / from[0] / extent(from[1]) / extent(from[2])};
            array(at[0], at[1], at[2], at[3]) = tag(at);
        }
        RedimArray(array, to[0], to[1], to[2], to[3]);
        ASSERT_EQ(ArrayBounds(array, 3), to[3]);
        for (int n = 0; n < to[0] * extent(to[1]) * extent(to[2]) * extent(to[3]); ++n) {
            const int at[4] = {n % to[0], n / to[0] % extent(to[1]),
                               n / to[0] / extent(to[1]) % extent(to[2]),
                               n / to[0] / extent(to[1]) / extent(to[2])};
            bool kept = from[0] > 0;
            for (int d = 0; d < 4; ++d)
                kept = kept && at[d] < extent(std::min(from[d], to[d]));
            ASSERT_EQ(array(at[0], at[1], at[2], at[3]), kept ? tag(at) : 0.0)
                << "round " << round << " element " << n;
        }
    }
}

TEST(StrArray, DimStringArrayEmptiesEveryElement) {
    StrArray array;
    for (double size : {20.0, 64.0, 1.0}) {
        DimStringArray(array, size, 0, 0, 0);
        for (int i = 0; i < size; ++i)
            ASSERT_EQ(array(i).Length(), 0u) << size << " " << i;
        array(0) = "x";
    }
}

// Runtime errors end the program through EndProgram, with the error number as exit status.
TEST(ArrayDeathTest, OutOfRangeAccessEndsWithError9AndImpossibleSizesWithError7) {
    // clang-format off
    // Sizes (-1: never dimensioned), the index written, the error.
    const std::tuple<std::vector<double>, std::vector<int>, int> numbers[] = {
        {{51, 3, 0, 0}, {51, 0, 0, 0}, 9}, {{51, 3, 0, 0}, {0, 3, 0, 0}, 9},
        {{51, 3, 0, 0}, {0, -1, 0, 0}, 9}, {{10, 0, 0, 0}, {-1, 0, 0, 0}, 9},
        {{10, 0, 0, 0}, {2, 1, 0, 0}, 9}, {{0, 0, 0, 0}, {0, 0, 0, 0}, 9},
        {{-1, 0, 0, 0}, {0, 0, 0, 0}, 9}, {{4, 0, 0, 0}, {1000000000, 0, 0, 0}, 9},
        {{1e6, 1e6, 0, 0}, {0, 0, 0, 0}, 7}, {{65536, 65536, 65536, 65536}, {0, 0, 0, 0}, 7},
        {{HUGE_VAL, 0, 0, 0}, {0, 0, 0, 0}, 7}};
    // clang-format on
    for (const auto& [sizes, at, error] : numbers) {
        const auto dimensionAndWrite = [&sizes = sizes, &at = at] {
            NumArray array;
            if (sizes[0] >= 0) DimArray(array, sizes[0], sizes[1], sizes[2], sizes[3]);
            ArrayElement(array, at[0], at[1], at[2], at[3]) = 1;
        };
        EXPECT_EXIT(dimensionAndWrite(), ::testing::ExitedWithCode(error), "")
            << sizes[0] << "x" << sizes[1] << " at " << at[0] << "," << at[1];
    }
    StrArray strings;
    DimStringArray(strings, 3, 0, 0, 0);
    EXPECT_EXIT(strings(3) = "x", ::testing::ExitedWithCode(9), "");
    EXPECT_EXIT(DimStringArray(strings, 3e9, 0, 0, 0), ::testing::ExitedWithCode(7), "");
}

} // namespace
