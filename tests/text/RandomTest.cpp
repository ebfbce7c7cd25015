#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "text/Random.h"
#include "text/TextCommands.h"

namespace {

// Worked out apart from the runtime, with the seeding and the first word of each round as
// described for Random; 2^32 - 1 takes the whole word.
TEST(Random, SeededSequencesAreTheFirstWordsOfEachRound) {
    const double limits[4] = {4294967295.0, 999, 6.5, 1e12};
    const std::pair<int, std::vector<double>> cases[] = {
        {1, {893009712, 132, 2, 664597453}}, {-123456, {3286380261, 787, 6, 871085550}}};
    for (const auto& [seed, results] : cases) {
        SeedRandom(seed);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Random(limits[i]), results[i]) << "seed " << seed << ", draw " << i;
    }
}

TEST(Random, ResultsStayWithinZeroToTruncatedN) {
    SeedRandom(99);
    // Limit -> every result seen over many draws; a negative or invalid limit gives 0.
    // clang-format off
    const std::pair<double, std::set<double>> rows[] = {
        {0, {0}}, {0.9, {0}}, {1, {0, 1}}, {3.99, {0, 1, 2, 3}}, {-1e300, {0}}, {std::nan(""), {0}},
        {5, {0, 1, 2, 3, 4, 5}}};
    // clang-format on
    for (const auto& [limit, results] : rows) {
        std::set<double> seen;
        for (int i = 0; i < 500; ++i)
            seen.insert(Random(limit));
        EXPECT_EQ(seen, results) << limit;
    }
}

TEST(Random, StartupSeedWrapsTheClockAndHonoursVornicSeed) {
    const std::tuple<const char*, double, int> rows[] = {
        {"", 1234.9, 1234}, {"", 4294967296.0 + 5, 5}, {"", 3e9, -1294967296}, {"42", 1234, 42},
        {"-7", 1234, -7},   {"4294967297", 1234, 1},   {"12abc", 1234, 1234}};
    for (const auto& [variable, clock, seed] : rows)
        EXPECT_EQ(text::StartupRandomSeed(variable, clock), seed) << variable << " " << clock;
}

} // namespace
