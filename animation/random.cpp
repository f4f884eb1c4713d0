// The 15-bit linear congruential generator.
#include "animation/random.h"

namespace {
constexpr uint32_t startState = 1;
constexpr uint32_t multiplier = 214013;
constexpr uint32_t increment = 2531011;
uint32_t state = startState;
}  // namespace

int32_t nextRandom() {
    state = state * multiplier + increment;   // modulo 2^32 by unsigned wrap-around
    return static_cast<int32_t>((state >> 16) & randomMax);
}

float randomUnit() { return static_cast<float>(nextRandom() / static_cast<double>(randomMax)); }

void resetRandom() { state = startState; }
