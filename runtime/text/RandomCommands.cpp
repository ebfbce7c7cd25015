#include <cerrno>
#include <cstdlib>

#include "core/Number.h"
#include "core/Runtime.h"
#include "text/Isaac.h"
#include "text/Random.h"
#include "text/TextCommands.h"

namespace {

int32_t WrapToInt32(int64_t value) {
    const uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(value));
    return low <= INT32_MAX ? static_cast<int32_t>(low)
                            : static_cast<int32_t>(low - 0x80000000u) + INT32_MIN;
}

} // namespace

void SeedRandom(int seed) {
    text::SeedIsaac(*Rt().random, seed);
}

uint32_t text::NextRandomWord() {
    text::IsaacState& state = *Rt().random;
    text::IsaacRound(state);
    return state.randrsl[0];
}

double Random(double n) {
    const uint32_t word = text::NextRandomWord();
    // NaN counts as 0 and negative limits give 0; a limit of 2^32 - 1 (the modulus wraps to 0)
    // takes the whole word.
    if (!(n >= 0)) return 0.0;
    const uint32_t modulus = static_cast<uint32_t>(static_cast<uint64_t>(ToInt64(n))) + 1u;
    return modulus == 0 ? word : word % modulus;
}

int32_t text::StartupRandomSeed(const std::string& fixedSeed, double clockMs) {
    if (!fixedSeed.empty()) {
        const char* text = fixedSeed.c_str();
        char* end = nullptr;
        errno = 0;
        const long long seed = std::strtoll(text, &end, 10);
        if (end != text && *end == '\0' && errno == 0) return WrapToInt32(seed);
    }
    return WrapToInt32(ToInt64(clockMs));
}
