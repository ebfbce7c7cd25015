// The runtime's side of the random generator: the raw word and the start-up seed.
#pragma once

#include <cstdint>
#include <string>

namespace text {

// Runs one full ISAAC round on the runtime's generator and gives its first result word.
uint32_t NextRandomWord();

// The seed start-up uses: the clock in milliseconds, truncated and wrapped modulo 2^32 to a
// signed 32-bit value (so long-running clocks still give different seeds). When fixedSeed (the
// VORNIC_SEED setting) holds a whole number, that number (wrapped the same way) is used
// instead, so that a run can be repeated exactly; record and replay rely on it.
int32_t StartupRandomSeed(const std::string& fixedSeed, double clockMs);

} // namespace text
