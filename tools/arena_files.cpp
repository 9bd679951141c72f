// The generated arenas, each with a layout and colours of its own. Every one lists all the
// planet pictures as its TEXTURE lines, as universe.uni does, so a joiner switching arenas
// needs no picture it has not loaded; they differ in the kinds their planets use. Planets
// do not touch one another and leave most of the spawn cube (-30 to 29) free. As in the
// classic universe, only the banded giants (gas, azure, violet) turn at fractional speeds.
#include "tools/arena_files.h"

#include <cmath>
#include <string>

#include "tools/universe_file.h"

namespace {
constexpr float PI = 3.14159265f;

// Indexes into PLANET_KINDS.
enum Kind { ROCK, ICE, LAVA, GAS, MOSS, DESERT, AZURE, VIOLET, OCEAN, SULFUR };

using Layout = std::vector<PlanetPlacement>;

// Coordinates to a tenth, so that the files read plainly.
float tenth(float v) {
    return std::round(v * 10.0f) / 10.0f + 0.0f; // and no "-0"
}

PlanetPlacement planet(float x, float y, float z, float radius, int kind, float spin) {
    return PlanetPlacement{tenth(x), tenth(y), tenth(z), tenth(radius), kind, spin, nullptr};
}

// An azure giant at the centre inside a ring of twelve ice and ocean worlds.
Layout halo() {
    constexpr int RING = 12;
    Layout out         = {planet(0, 0, 0, 7, AZURE, 0.25f)};
    for (int k = 0; k < RING; ++k) {
        const float a   = 2 * PI * float(k) / RING;
        const bool even = k % 2 == 0;
        out.push_back(planet(26 * std::cos(a), even ? -4 : 4, 26 * std::sin(a), 3,
                             even ? OCEAN : ICE, even ? 1.0f : -1.0f));
    }
    return out;
}

// A corridor along z between two staggered rows of hot worlds, a lava giant at each end.
Layout gauntlet() {
    constexpr int ROW  = 9;
    const int kinds[3] = {LAVA, SULFUR, DESERT};
    Layout out         = {planet(0, 0, -56, 10, LAVA, 1), planet(0, 0, 56, 10, LAVA, -1)};
    for (int k = 0; k < ROW; ++k) {
        const float z  = -40.0f + 10.0f * float(k);
        const float up = k % 2 == 0 ? 3.0f : -3.0f;
        out.push_back(planet(-9, up, z, 3.5f, kinds[k % 3], 1));
        out.push_back(planet(9, -up, z, 3.5f, kinds[(k + 1) % 3], -2));
    }
    return out;
}

// A three by three by three grid of rock and moss, a larger moss world at its heart.
Layout lattice() {
    constexpr float STEP = 20.0f;
    Layout out;
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            for (int k = -1; k <= 1; ++k) {
                const bool heart = i == 0 && j == 0 && k == 0;
                const bool even  = (i + j + k) % 2 == 0;
                out.push_back(planet(STEP * i, STEP * j, STEP * k, heart ? 5.0f : 2.5f,
                                     even ? MOSS : ROCK, even ? 1.0f : -2.0f));
            }
    return out;
}

// Two banded giants face each other across the cube, each with six ice moons.
Layout twins() {
    constexpr int MOONS = 6;
    Layout out          = {planet(-34, 0, 0, 14, GAS, 0.5f), planet(34, 0, 0, 14, VIOLET, -0.5f)};
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < MOONS; ++k) {
            const float a = 2 * PI * float(k) / MOONS;
            out.push_back(
                planet(21.0f * side, 12 * std::cos(a), 12 * std::sin(a), 2, ICE, side * 2.0f));
        }
    return out;
}

// A helix of green, sand and ocean worlds climbing through the cube, growing as it rises.
Layout spiral() {
    constexpr int COUNT = 24;
    const int kinds[3]  = {MOSS, DESERT, OCEAN};
    Layout out;
    for (int k = 0; k < COUNT; ++k) {
        const float a = 40.0f * float(k) * PI / 180.0f, r = 14.0f + 0.6f * float(k);
        out.push_back(planet(r * std::cos(a), -33.0f + 66.0f * float(k) / (COUNT - 1),
                             r * std::sin(a), 1.5f + 0.13f * float(k), kinds[k % 3],
                             float((k % 2 == 0 ? 1 : -1) * (1 + k % 3))));
    }
    return out;
}

AssetFile arenaFile(const std::string& name, const std::string& text) {
    return AssetFile{"arenas/" + name + ".uni", std::vector<uint8_t>(text.begin(), text.end())};
}
} // namespace

std::vector<AssetFile> makeArenaFiles() {
    const struct {
        const char* name;
        Layout (*layout)();
    } generated[] = {
        {"gauntlet", gauntlet},
        {"halo",     halo    },
        {"lattice",  lattice },
        {"spiral",   spiral  },
        {"twins",    twins   },
    };
    std::vector<AssetFile> files = {arenaFile("classic", universeText())};
    for (const auto& arena : generated) {
        const Layout planets = arena.layout();
        files.push_back(
            arenaFile(arena.name, universeText(std::string("Voranis arena ") + arena.name,
                                               planets.data(), int(planets.size()))));
    }
    return files;
}
