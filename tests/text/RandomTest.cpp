#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "text/Isaac.h"
#include "text/Random.h"
#include "text/TextCommands.h"

namespace {

// Bob Jenkins' published vector: after the standard initialisation (no seed), the first 32
// result words of the next round.
const uint32_t kPublishedWords[32] = {
    0xf650e4c8, 0xe448e96d, 0x98db2fb4, 0xf5fad54f, 0x433f1afb, 0xedec154a, 0xd8370487, 0x46ca4f9a,
    0x5de3743e, 0x88381097, 0xf1d444eb, 0x823cedb6, 0x6a83e1e0, 0x4a5f6355, 0xc7442433, 0x25890e2e,
    0x7452e319, 0x57161df6, 0x38a824f3, 0x002ed713, 0x29f55449, 0x51c08d83, 0xd78cb99e, 0xa0cc74f3,
    0x8f651659, 0xcbc8b7c2, 0xf5f71c69, 0x12ad6419, 0xe5792e1b, 0x860536b8, 0x09b3ce98, 0xd45d6d81};

// The standard initialisation, built from the runtime's mix step and round.
void StandardInitialisation(text::IsaacState& state) {
    state = text::IsaacState{};
    uint32_t words[8];
    for (uint32_t& word : words)
        word = text::kIsaacGoldenRatio;
    for (int n = 0; n < 4; ++n)
        text::IsaacMix(words);
    for (const uint32_t* source : {state.randrsl, state.mm}) {
        for (int i = 0; i < text::kIsaacWords; i += 8) {
            for (int w = 0; w < 8; ++w)
                words[w] += source[i + w];
            text::IsaacMix(words);
            for (int w = 0; w < 8; ++w)
                state.mm[i + w] = words[w];
        }
    }
    text::IsaacRound(state);
}

TEST(Isaac, RoundAndMixMatchThePublishedVector) {
    text::IsaacState state;
    StandardInitialisation(state);
    text::IsaacRound(state);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(state.randrsl[i], kPublishedWords[i]) << "word " << i;
}

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
    EXPECT_NE(text::StartupRandomSeed("", 1e13), text::StartupRandomSeed("", 1e13 + 1));
}

} // namespace
