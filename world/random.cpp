// The pseudo-random generator that spawning draws from.
#include "world/random.h"

namespace {
uint32_t randomState = 1;
}

void gameSrand(uint32_t seed) {
    randomState = seed;
}

uint32_t gameRandState() {
    return randomState;
}

int gameRand() {
    return randFrom(randomState);
}

int randFrom(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
