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

// A well-mixed 32-bit hash of a seed and a few integers, for noise lattices, in steps so that
// lattice points sharing their first integers share those steps: hashFinish of hashStep for
// each integer in turn, from hashStart(seed). Inline, as the noise calls them millions of times.
inline uint32_t hashStart(uint32_t seed) {
    return seed * 0x9E3779B1u;
}

inline uint32_t hashStep(uint32_t h, int32_t v) {
    h ^= static_cast<uint32_t>(v) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    return h * 5u + 0xE6546B64u;
}

inline uint32_t hashFinish(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}
