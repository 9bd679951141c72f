// voranis --demo FILE --verify: the replay as fast as it runs, every recorded digest compared,
// no window.
#pragma once

#include <cstdio>

constexpr int DEMO_EXIT_VERIFIED = 0;
constexpr int DEMO_EXIT_DIFFERS  = 1;

// Replays path and prints "PATH: N steps, P players, arena A, verified" on out (0), or the
// first step whose world or records differ (1), or what is wrong with the file or this
// machine's data on err (2). Enters the game folder, whose arenas and planet pictures the
// replay reads.
int verifyDemo(const char* path, FILE* out, FILE* err);
