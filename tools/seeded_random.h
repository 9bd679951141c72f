// The generator's own seeded random numbers, so every build writes the same files.
#pragma once

#include <cstdint>

// splitmix64: small, fast and the same on every platform.
struct SeededRandom {
    uint64_t state;
};

SeededRandom seededRandom(uint64_t seed);
uint64_t nextBits(SeededRandom& random);
float nextUnit(SeededRandom& random);                      // 0 to 1, 1 excluded
float nextRange(SeededRandom& random, float lo, float hi); // lo to hi
void nextDirection(SeededRandom& random, float out[3]);    // uniform on the unit sphere

// A well-mixed 32-bit hash of a few integers, for noise lattices.
uint32_t hashInts(uint32_t seed, int32_t a, int32_t b, int32_t c);
