#include "text/Isaac.h"

namespace {

// Adds the eight words at `source` (when given) to the mixing words, mixes, and stores them
// over `target`.
void MixInto(uint32_t (&words)[8], const uint32_t* source, uint32_t* target) {
    if (source)
        for (int w = 0; w < 8; ++w)
            words[w] += source[w];
    text::IsaacMix(words);
    for (int w = 0; w < 8; ++w)
        target[w] = words[w];
}

} // namespace

void text::IsaacMix(uint32_t (&words)[8]) {
    uint32_t &a = words[0], &b = words[1], &c = words[2], &d = words[3];
    uint32_t &e = words[4], &f = words[5], &g = words[6], &h = words[7];
    // The published eight lines, one shift each.
    // clang-format off
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
    // clang-format on
}

void text::IsaacRound(text::IsaacState& state) {
    uint32_t* mm = state.mm;
    uint32_t aa = state.aa;
    uint32_t bb = state.bb + ++state.cc;
    for (int i = 0; i < text::kIsaacWords; ++i) {
        const uint32_t x = mm[i];
        switch (i & 3) {
        case 0: aa ^= aa << 13; break;
        case 1: aa ^= aa >> 6; break;
        case 2: aa ^= aa << 2; break;
        default: aa ^= aa >> 16; break;
        }
        aa += mm[(i + text::kIsaacWords / 2) & (text::kIsaacWords - 1)];
        const uint32_t y = mm[(x >> 2) & (text::kIsaacWords - 1)] + aa + bb;
        mm[i] = y;
        bb = mm[(y >> 10) & (text::kIsaacWords - 1)] + x;
        state.randrsl[i] = bb;
    }
    state.aa = aa;
    state.bb = bb;
}

void text::SeedIsaac(text::IsaacState& state, int32_t seed) {
    // The seed alone decides the state: the result words mixed in below are zero, as they are
    // at start-up, also when a used state is seeded again.
    state = text::IsaacState{};
    uint32_t words[8];
    for (uint32_t& word : words)
        word = text::kIsaacGoldenRatio;

    const uint32_t seedWord = static_cast<uint32_t>(seed);
    for (int i = 0; i < text::kIsaacWords; i += 8) {
        words[0] += seedWord;
        MixInto(words, nullptr, state.mm + i);
    }
    for (int round = 0; round < 4; ++round)
        text::IsaacMix(words);
    for (int i = 0; i < text::kIsaacWords; i += 8)
        MixInto(words, state.randrsl + i, state.mm + i);
    for (int i = 0; i < text::kIsaacWords; i += 8)
        MixInto(words, state.mm + i, state.mm + i);

    text::IsaacRound(state);
    state.randcnt = text::kIsaacWords;
}
