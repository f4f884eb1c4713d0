// The program's own random numbers: the same sequence on every platform.
#pragma once

#include <cstdint>

// Largest value of nextRandom().
constexpr int32_t randomMax = 32767;

// The next value of the 15-bit linear congruential generator, 0..randomMax.
// The state starts at 1 and is never seeded, so every run is the same.
int32_t nextRandom();
// nextRandom() / randomMax as a float, 0..1.
float randomUnit();
// Back to the starting state (for tests).
void resetRandom();
