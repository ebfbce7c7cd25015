#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "text/TextCommands.h"

namespace {

TEST(NumArray, ElementsLayOutFirstIndexFastestAndBoundsAreTheSizes) {
    NumArray array;
    EXPECT_EQ(ArrayBounds(array, 0), 0.0);
    DimArray(array, 51, 3, 0, 0);
    array(50, 2) = 7.5;
    EXPECT_EQ(array.data[152], 7.5);
    const std::pair<double, double> bounds[] = {{0, 51}, {1, 3}, {2, 0}, {4, 0}, {-1, 0}};
    for (const auto& [dimension, size] : bounds)
        EXPECT_EQ(ArrayBounds(array, dimension), size) << dimension;

    NumArray four;
    DimArray(four, 2, 3, 4, 5);
    four(1, 2, 3, 4) = 9;
    EXPECT_EQ(four.data[1 + 2 * 2 + 3 * 6 + 4 * 24], 9.0);
    // A second index on a dimension that was not given: only 0 is valid there.
    NumArray small;
    DimArray(small, 10, 0, 0, 0);
    small(3) = 1;
    EXPECT_EQ(small(3, 0), 1.0);
}

TEST(NumArray, DimEmptiesEveryElementOfAReusedBlock) {
    NumArray array;
    DimArray(array, 25, 8, 0, 0);
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 25; ++i)
            array(i, j) = i + 1;
    DimArray(array, 8, 0, 0, 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(array(i), 0.0) << i;
    DimArray(array, 200, 0, 0, 0);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(array(i), 0.0) << i;
}

TEST(NumArray, OddSizesCountSafely) {
    NumArray array;
    DimArray(array, std::nan(""), 5, 0, 0);
    EXPECT_EQ(ArrayBounds(array, 0), 0.0);
    // Negative and NaN sizes of later dimensions count as 0.
    DimArray(array, 4, -3, std::nan(""), 0);
    EXPECT_EQ(ArrayBounds(array, 1), 0.0);
    array(3) = 2;
    // A size-0 dimension between used ones does not make later elements share slots.
    DimArray(array, 2, 0, 3, 0);
    array(1, 0, 2) = 5;
    EXPECT_EQ(array(1, 0, 0), 0.0);
    EXPECT_EQ(array(1, 0, 2), 5.0);
    DimArray(array, 2.9, 2.9, 0, 0);
    EXPECT_EQ(ArrayBounds(array, 0), 2.0);
    EXPECT_EQ(ArrayBounds(array, 1), 2.0);
}

TEST(NumArray, AssignArrayAndArrayFromValuesCopyShapeAndElements) {
    NumArray source, target;
    DimArray(source, 5, 7, 0, 0);
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 5; ++i)
            source(i, j) = i * 10 + j;
    DimArray(target, 100, 0, 0, 0);
    AssignArray(target, source);
    EXPECT_EQ(ArrayBounds(target, 0), 5.0);
    EXPECT_EQ(ArrayBounds(target, 1), 7.0);
    EXPECT_EQ(target(4, 6), 46.0);
    EXPECT_EQ(target(2, 3), 23.0);
    AssignArray(target, target);
    EXPECT_EQ(target(4, 6), 46.0);
    NumArray never;
    AssignArray(target, never);
    EXPECT_EQ(ArrayBounds(target, 0), 0.0);

    const double values[] = {3, 1, 4, 1, 5};
    ArrayFromValues(target, 5, values);
    EXPECT_EQ(ArrayBounds(target, 0), 5.0);
    EXPECT_EQ(target(4), 5.0);
    ArrayFromValues(target, 3, nullptr);
    EXPECT_EQ(target(2), 0.0);
}

// Fills every element of the array with a value that names its indices.
double Tag(int i, int j, int k, int l) {
    return 1 + i + 100 * j + 10000 * k + 1000000 * l;
}

TEST(NumArray, RedimKeepsTheOverlapForRandomShapes) {
    std::mt19937 generator(77);
    std::uniform_int_distribution<int> size(0, 6), dims(1, 4);
    for (int round = 0; round < 400; ++round) {
        int oldSizes[4] = {}, newSizes[4] = {};
        const int oldDims = dims(generator), newDims = dims(generator);
        for (int d = 0; d < 4; ++d) {
            oldSizes[d] = d < oldDims ? size(generator) : 0;
            newSizes[d] = d < newDims ? size(generator) : 0;
        }
        // A few shapes grow into heap blocks.
        if (round % 7 == 0) oldSizes[0] += 40;
        if (round % 5 == 0) newSizes[0] += 40;
        NumArray array;
        DimArray(array, oldSizes[0], oldSizes[1], oldSizes[2], oldSizes[3]);
        const auto extent = [](int size) { return size > 0 ? size : 1; };
        for (int l = 0; l < extent(oldSizes[3]); ++l)
            for (int k = 0; k < extent(oldSizes[2]); ++k)
                for (int j = 0; j < extent(oldSizes[1]); ++j)
                    for (int i = 0; i < oldSizes[0]; ++i)
                        array(i, j, k, l) = Tag(i, j, k, l);

        RedimArray(array, newSizes[0], newSizes[1], newSizes[2], newSizes[3]);
        ASSERT_EQ(array.size1, newSizes[0]);
        ASSERT_EQ(array.size4, newSizes[3]);
        for (int l = 0; l < extent(newSizes[3]); ++l)
            for (int k = 0; k < extent(newSizes[2]); ++k)
                for (int j = 0; j < extent(newSizes[1]); ++j)
                    for (int i = 0; i < newSizes[0]; ++i) {
                        const int at[4] = {i, j, k, l};
                        bool kept = oldSizes[0] > 0;
                        for (int d = 0; d < 4; ++d)
                            kept = kept && at[d] < extent(std::min(oldSizes[d], newSizes[d]));
                        ASSERT_EQ(array(i, j, k, l), kept ? Tag(i, j, k, l) : 0.0)
                            << "round " << round << " at " << i << "," << j << "," << k << "," << l;
                    }
    }
}

TEST(StrArray, DimStringArrayEmptiesEveryElement) {
    StrArray array;
    DimStringArray(array, 10, 2, 0, 0);
    array(9, 1) = "last";
    EXPECT_STREQ(ArrayElement(array, 9, 1, 0, 0).CText(), "last");
    for (double size : {20.0, 64.0, 1.0}) {
        DimStringArray(array, size, 0, 0, 0);
        EXPECT_EQ(ArrayBounds(array, 0), size);
        for (int i = 0; i < size; ++i)
            ASSERT_EQ(array(i).Length(), 0u) << size << " " << i;
        array(0) = "x";
    }
}

// Runtime errors end the program through EndProgram, with the error number as exit status.
TEST(ArrayDeathTest, OutOfRangeAccessEndsWithError9AndImpossibleSizesWithError7) {
    const struct {
        double sizes[4];
        int index[4];
        int error;
    } numbers[] = {
        {{51, 3, 0, 0}, {51, 0, 0, 0}, 9},      {{51, 3, 0, 0}, {0, 3, 0, 0}, 9},
        {{51, 3, 0, 0}, {0, -1, 0, 0}, 9},      {{10, 0, 0, 0}, {-1, 0, 0, 0}, 9},
        {{10, 0, 0, 0}, {2, 1, 0, 0}, 9},       {{0, 0, 0, 0}, {0, 0, 0, 0}, 9},
        {{-1, 0, 0, 0}, {0, 0, 0, 0}, 9},       {{4, 0, 0, 0}, {1000000000, 0, 0, 0}, 9},
        {{1e6, 1e6, 0, 0}, {0, 0, 0, 0}, 7},    {{65536, 65536, 65536, 65536}, {0, 0, 0, 0}, 7},
        {{HUGE_VAL, 0, 0, 0}, {0, 0, 0, 0}, 7},
    };
    for (const auto& c : numbers) {
        EXPECT_EXIT(
            {
                NumArray array;
                // Sizes of -1 stand for an array that was never dimensioned.
                if (c.sizes[0] >= 0)
                    DimArray(array, c.sizes[0], c.sizes[1], c.sizes[2], c.sizes[3]);
                ArrayElement(array, c.index[0], c.index[1], c.index[2], c.index[3]) = 1;
            },
            ::testing::ExitedWithCode(c.error), "")
            << c.sizes[0] << "x" << c.sizes[1] << " at " << c.index[0] << "," << c.index[1];
    }
    EXPECT_EXIT(
        {
            StrArray array;
            DimStringArray(array, 3, 0, 0, 0);
            array(3) = "x";
        },
        ::testing::ExitedWithCode(9), "");
    StrArray huge;
    EXPECT_EXIT(DimStringArray(huge, 3e9, 0, 0, 0), ::testing::ExitedWithCode(7), "");
}

} // namespace
