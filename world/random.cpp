// The pseudo-random generator shared by spawning and explosion drawing.
#include "world/random.h"

namespace {
uint32_t randomState = 1;
}

void gameSrand(uint32_t seed) { randomState = seed; }

int gameRand() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}
