#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <random>

#include "text/TextCommands.h"

namespace {

TEST(NumArray, FreshRecordIsEmpty) {
    NumArray array;
    EXPECT_EQ(array.data, nullptr);
    EXPECT_EQ(array.capacity, 0);
    EXPECT_EQ(array.dims, 0);
    EXPECT_EQ(ArrayBounds(array, 0), 0.0);
}

TEST(NumArray, TwoDimensionsLayOutFirstIndexFastest) {
    NumArray array;
    DimArray(array, 51, 3, 0, 0);
    EXPECT_EQ(array.capacity, 160);
    EXPECT_EQ(array.dims, 2);
    EXPECT_EQ(array.stride1, 51);
    EXPECT_EQ(array.stride2, 153);
    array(50, 2) = 7.5;
    EXPECT_EQ(array.data[152], 7.5);
    EXPECT_EQ(ArrayElement(array, 50, 2, 0, 0), 7.5);
    EXPECT_EQ(ArrayBounds(array, 0), 51.0);
    EXPECT_EQ(ArrayBounds(array, 1), 3.0);
    EXPECT_EQ(ArrayBounds(array, 2), 0.0);
    EXPECT_EQ(ArrayBounds(array, 4), 0.0);
    EXPECT_EQ(ArrayBounds(array, -1), 0.0);
}

TEST(NumArray, SlotCountsAndInlineStorage) {
    NumArray array;
    DimArray(array, 50, 4, 0, 0);
    EXPECT_EQ(array.capacity, 208);
    DimArray(array, 10, 0, 0, 0);
    EXPECT_EQ(array.capacity, 208); // a smaller array keeps the block

    NumArray small;
    DimArray(small, 10, 0, 0, 0);
    EXPECT_EQ(small.data, small.inlineSlots);
    EXPECT_EQ(small.dims, 1);
    EXPECT_EQ(small.capacity, 16);
    small(3) = 1;
    // A second index on a dimension that was not given: only 0 is valid there.
    EXPECT_EQ(small(3, 0), 1.0);

    NumArray sized4;
    DimArray(sized4, 2, 3, 4, 5);
    EXPECT_EQ(sized4.dims, 4);
    EXPECT_EQ(sized4.capacity, 128);
    EXPECT_EQ(sized4.stride3, 24);
    sized4(1, 2, 3, 4) = 9;
    EXPECT_EQ(sized4.data[1 + 2 * 2 + 3 * 6 + 4 * 24], 9.0);
}

TEST(NumArray, DimZeroesEveryReusedSlot) {
    NumArray array;
    DimArray(array, 25, 8, 0, 0);
    ASSERT_EQ(array.capacity, 208);
    double* block = array.data;
    for (int i = 0; i < 208; ++i)
        array.data[i] = i + 1;
    DimArray(array, 8, 0, 0, 0);
    EXPECT_EQ(array.data, block);
    EXPECT_EQ(array.capacity, 208);
    for (int i = 0; i < 208; ++i)
        ASSERT_EQ(array.data[i], 0.0) << i;
}

TEST(NumArray, OddSizesCountSafely) {
    NumArray array;
    DimArray(array, 0, 0, 0, 0);
    EXPECT_EQ(array.dims, 0);
    EXPECT_EQ(array.size1, 0);
    EXPECT_EQ(array.capacity, 8);
    DimArray(array, std::nan(""), 5, 0, 0);
    EXPECT_EQ(array.size1, 0);
    // Negative and NaN sizes of later dimensions count as 0.
    DimArray(array, 4, -3, std::nan(""), 0);
    EXPECT_EQ(array.dims, 1);
    EXPECT_EQ(array.size2, 0);
    EXPECT_EQ(array.stride2, 4);
    EXPECT_EQ(array.capacity, 8);
    // A size-0 dimension between used ones does not make later elements share slots.
    DimArray(array, 2, 0, 3, 0);
    array(1, 0, 2) = 5;
    EXPECT_EQ(array(1, 0, 0), 0.0);
    EXPECT_EQ(array(1, 0, 2), 5.0);
    DimArray(array, 2.9, 2.9, 0, 0);
    EXPECT_EQ(array.size1, 2);
    EXPECT_EQ(array.size2, 2);
}

TEST(NumArray, AssignArrayCopiesShapeAndElements) {
    NumArray source, target;
    DimArray(source, 5, 7, 0, 0);
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 5; ++i)
            source(i, j) = i * 10 + j;
    DimArray(target, 100, 0, 0, 0);
    target(99) = 5;
    AssignArray(target, source);
    EXPECT_EQ(target.size1, 5);
    EXPECT_EQ(target.size2, 7);
    EXPECT_EQ(target(4, 6), 46.0);
    EXPECT_EQ(target(2, 3), 23.0);
    EXPECT_EQ(target.data[99], 0.0);
    AssignArray(target, target);
    EXPECT_EQ(target(4, 6), 46.0);
    NumArray never;
    AssignArray(target, never);
    EXPECT_EQ(target.size1, 0);
}

TEST(NumArray, ArrayFromValues) {
    NumArray array;
    const double values[] = {3, 1, 4, 1, 5};
    ArrayFromValues(array, 5, values);
    EXPECT_EQ(array.size1, 5);
    EXPECT_EQ(array(2), 4.0);
    EXPECT_EQ(array(4), 5.0);
    ArrayFromValues(array, 3, nullptr);
    EXPECT_EQ(array(2), 0.0);
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

TEST(NumArray, RedimSwapsHeapBlocksAndShrinksIntoInline) {
    NumArray array;
    DimArray(array, 100, 0, 0, 0);
    array(99) = 1;
    array(3) = 3;
    RedimArray(array, 200, 0, 0, 0);
    EXPECT_EQ(array(99), 1.0);
    EXPECT_EQ(array.capacity, 208);
    RedimArray(array, 4, 0, 0, 0);
    EXPECT_EQ(array(3), 3.0);
    EXPECT_EQ(array.size1, 4);
    RedimArray(array, 0, 0, 0, 0);
    EXPECT_EQ(array.dims, 0);
}

TEST(StrArray, DimStringArrayEmptiesEveryElement) {
    StrArray array;
    DimStringArray(array, 10, 2, 0, 0);
    EXPECT_EQ(array.capacity, 64);
    EXPECT_EQ(array.dims, 2);
    array(9, 1) = "last";
    EXPECT_STREQ(ArrayElement(array, 9, 1, 0, 0).CText(), "last");
    RtString* block = array.data;
    DimStringArray(array, 20, 0, 0, 0);
    EXPECT_EQ(array.data, block);
    EXPECT_EQ(array(19).Length(), 0u);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(array.data[i].Length(), 0u);
    DimStringArray(array, 64, 0, 0, 0);
    EXPECT_EQ(array.capacity, 128);
    EXPECT_EQ(ArrayBounds(array, 0), 64.0);
    DimStringArray(array, 0, 0, 0, 0);
    EXPECT_EQ(array.capacity, 64);
    EXPECT_EQ(array.dims, 0);
}

// Runtime errors end the program through EndProgram, with the error number as exit status.
TEST(ArrayDeathTest, OutOfRangeAccessEndsWithError9) {
    const auto error9 = ::testing::ExitedWithCode(9);
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 51, 3, 0, 0);
            array(51, 0) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 51, 3, 0, 0);
            array(0, 3) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 51, 3, 0, 0);
            array(0, -1) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 10, 0, 0, 0);
            array(-1) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 10, 0, 0, 0);
            array(2, 1) = 1; // second dimension not given: only index 0 is valid
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            array(0) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 0, 0, 0, 0);
            ArrayElement(array, 0, 0, 0, 0) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 4, 0, 0, 0);
            array(1e12) = 1;
        },
        error9, "");
    EXPECT_EXIT(
        {
            StrArray array;
            DimStringArray(array, 3, 0, 0, 0);
            array(3) = "x";
        },
        error9, "");
}

TEST(ArrayDeathTest, OverflowingSizesEndWithError7) {
    const auto error7 = ::testing::ExitedWithCode(7);
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 1e6, 1e6, 0, 0);
        },
        error7, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, 65536, 65536, 65536, 65536);
        },
        error7, "");
    EXPECT_EXIT(
        {
            NumArray array;
            DimArray(array, HUGE_VAL, 0, 0, 0);
        },
        error7, "");
    EXPECT_EXIT(
        {
            StrArray array;
            DimStringArray(array, 3e9, 0, 0, 0);
        },
        error7, "");
}

// gcc says __SANITIZE_ADDRESS__, clang __has_feature(address_sanitizer).
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

#if !defined(UNDER_ADDRESS_SANITIZER)
// Caps the address space of a death-test child, so that big blocks cannot be had.
void LimitAddressSpace() {
    rlimit limit;
    limit.rlim_cur = limit.rlim_max = rlim_t{256} << 20;
    setrlimit(RLIMIT_AS, &limit);
}
#endif

TEST(ArrayDeathTest, FailedAllocationEndsWithError7) {
#if defined(UNDER_ADDRESS_SANITIZER)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
    EXPECT_EXIT(
        {
            LimitAddressSpace();
            NumArray array;
            DimArray(array, 1e9, 0, 0, 0);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EXIT(
        {
            LimitAddressSpace();
            StrArray array;
            DimStringArray(array, 1e8, 0, 0, 0);
        },
        ::testing::ExitedWithCode(7), "");
#endif
}

} // namespace
