// The game's one pseudo-random generator, with a fixed rule on every platform:
// state = state * 214013 + 2531011 (mod 2^32), result = (state >> 16) & 0x7FFF.
#pragma once

#include <cstdint>

void gameSrand(uint32_t seed);
int gameRand(); // 0 to 32767
// The generator's state, which gameSrand(state) brings back (a replay's).
uint32_t gameRandState();

// The same rule over a state of the caller's own, for draws that must leave the game's
// sequence alone (the drawing's effects).
int randFrom(uint32_t& state);
