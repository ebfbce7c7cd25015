// ISAAC, Bob Jenkins' 32-bit generator with its 256-word state, as published. The runtime keeps
// one state for the whole run (Runtime::random) and seeds it once at start-up.
#pragma once

#include <cstdint>

namespace text {

constexpr int kIsaacWords = 256;

struct IsaacState {
    uint32_t mm[kIsaacWords] = {};
    uint32_t randrsl[kIsaacWords] = {};
    uint32_t aa = 0;
    uint32_t bb = 0;
    uint32_t cc = 0;
    // Set to the word count after seeding; the runtime reads only the first word of a round.
    uint32_t randcnt = 0;
};

// The golden ratio that every mixing word starts from.
constexpr uint32_t kIsaacGoldenRatio = 0x9e3779b9u;

// ISAAC's eight-word mixing step.
void IsaacMix(uint32_t (&words)[8]);
// One complete round over all 256 words: new memory and 256 new result words.
void IsaacRound(IsaacState& state);
// The runtime's seeding: the seed is mixed into the memory before the standard passes over
// the result words and the memory, then one round is run.
void SeedIsaac(IsaacState& state, int32_t seed);

} // namespace text
