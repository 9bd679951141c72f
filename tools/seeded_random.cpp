// splitmix64: the generator's random numbers.
#include "tools/seeded_random.h"

#include <cmath>

SeededRandom seededRandom(uint64_t seed) {
    return SeededRandom{seed};
}

uint64_t nextBits(SeededRandom& random) {
    uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z          = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z          = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float nextUnit(SeededRandom& random) {
    return static_cast<float>(nextBits(random) >> 40) / static_cast<float>(1u << 24);
}

float nextRange(SeededRandom& random, float lo, float hi) {
    return lo + (hi - lo) * nextUnit(random);
}

void nextDirection(SeededRandom& random, float out[3]) {
    const float y = nextRange(random, -1.0f, 1.0f);
    const float a = nextRange(random, 0.0f, 6.2831853f);
    const float r = std::sqrt(1.0f - y * y);
    out[0]        = r * std::cos(a);
    out[1]        = y;
    out[2]        = r * std::sin(a);
}
