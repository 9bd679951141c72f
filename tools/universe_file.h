// The universe: which planets the game has, where, how large, in which picture, how fast
// they turn.
#pragma once

#include <string>

struct PlanetPlacement {
    float x, y, z;
    float radius;
    int kind; // index into PLANET_KINDS, which is also its TEXTURE line's number
    float spin;
    const char* name;
};

constexpr int UNIVERSE_PLANET_COUNT = 15;
extern const PlanetPlacement UNIVERSE[UNIVERSE_PLANET_COUNT];

// TEXTURE lines for every planet kind, then one PLANET line per planet.
std::string universeText();
