// The planets sit around and inside the spawn cube (-30 to 29 on each axis) and leave most
// of it free; the two largest lie beyond its faces, as backdrops. Only the banded giants
// have fractional spins: the spin angle wraps every 1800 frames, and a fractional factor
// then jumps, which bands that run along the parallels hide.
#include "tools/universe_file.h"

#include <cstdio>

#include "tools/pictures.h"

const PlanetPlacement UNIVERSE[UNIVERSE_PLANET_COUNT] = {
  // x       y       z       radius  kind spin    name
    {0.0f,   -6.0f,  -44.0f, 9.5f, 3, 0.5f,   "Vorun"    },
    {18.0f,  10.0f,  -16.0f, 4.0f, 0, 1.0f,   "Karst"    },
    {-17.0f, -7.0f,  -10.0f, 6.0f, 4, -1.0f,  "Elowen"   },
    {-7.0f,  17.0f,  9.0f,   2.5f, 1, 2.0f,   "Frostmere"},
    {13.0f,  -13.0f, 15.0f,  5.0f, 2, -1.0f,  "Cinder"   },
    {40.0f,  6.0f,   8.0f,   7.5f, 6, 0.25f,  "Azurel"   },
    {-40.0f, 12.0f,  16.0f,  8.0f, 7, -0.5f,  "Nyx"      },
    {5.0f,   2.0f,   -5.0f,  1.5f, 0, 3.0f,   "Pebble"   },
    {2.0f,   -36.0f, -4.0f,  7.0f, 8, 1.0f,   "Thalassa" },
    {-6.0f,  38.0f,  -16.0f, 6.5f, 5, -2.0f,  "Dunmar"   },
    {25.0f,  -21.0f, -27.0f, 3.0f, 9, 1.0f,   "Sulfa"    },
    {-24.0f, 21.0f,  -28.0f, 3.5f, 1, -1.0f,  "Rime"     },
    {-22.0f, -22.0f, 24.0f,  4.0f, 2, 2.0f,   "Ember"    },
    {12.0f,  24.0f,  34.0f,  7.0f, 3, -0.75f, "Oruna"    },
    {27.0f,  8.0f,   27.0f,  2.0f, 4, 1.0f,   "Verdant"  },
};

std::string universeText(const std::string& title, const PlanetPlacement* planets, int count) {
    std::string out = title + ": TEXTURE pictures, then PLANET x y z radius texture spin name\n";
    for (const char* kind : PLANET_KINDS)
        out += std::string("TEXTURE ") + kind + "\n";
    for (int k = 0; k < count; ++k) {
        const PlanetPlacement& p = planets[k];
        char line[160];
        std::snprintf(line, sizeof line, "PLANET %g %g %g %g %d %g%s%s\n", p.x, p.y, p.z, p.radius,
                      p.kind, p.spin, p.name ? " " : "", p.name ? p.name : "");
        out += line;
    }
    return out;
}

std::string universeText() {
    return universeText("Voranis universe", UNIVERSE, UNIVERSE_PLANET_COUNT);
}
