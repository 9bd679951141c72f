// The universe: which planets the game has, where, how large, in which picture, how fast
// they turn.
#pragma once

#include <string>

struct PlanetPlacement {
    float x, y, z;
    float radius;
    int kind; // index into PLANET_KINDS, which is also its TEXTURE line's number
    float spin;
    const char* name; // or nullptr: the line ends after the spin
};

constexpr int UNIVERSE_PLANET_COUNT = 15;
extern const PlanetPlacement UNIVERSE[UNIVERSE_PLANET_COUNT];

// A title line, TEXTURE lines for every planet kind, then one PLANET line per planet.
std::string universeText(const std::string& title, const PlanetPlacement* planets, int count);
// The classic universe, universe.uni.
std::string universeText();
