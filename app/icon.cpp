// The game's 32 x 32 icon in 16 colours, computed rather than read from a file.
#include "app/icon.h"

#include <cmath>

namespace {
// clang-format off
const uint32_t ICON_PALETTE[16] = {
    0xFF080C24, 0xFF10183C, 0xFFFFFFFF, 0xFF9AA6C8, // sky, sky edge, star, dim star
    0xFF5A2A10, 0xFF8C4418, 0xFFC86E24, 0xFFF0A848, // planet from shade to light
    0xFFFFD890, 0xFFB0B4C0, 0xFFE8ECF4, 0xFF606878, // planet highlight, hull, hull light, hull dark
    0xFF40E0FF, 0xFFFF5020, 0xFFD0C8A0, 0xFF000000, // cockpit, engine, ring, spare
};
// clang-format on
enum Colour {
    SKY,
    SKY_EDGE,
    STAR,
    DIM_STAR,
    PLANET0 = 4,
    HULL    = 9,
    HULL_LIGHT,
    HULL_DARK,
    COCKPIT,
    ENGINE,
    RING
};

struct Star {
    int x, y;
    Colour colour;
};
const Star STARS[] = {
    {3,  3,  STAR    },
    {14, 2,  DIM_STAR},
    {9,  8,  DIM_STAR},
    {29, 14, STAR    },
    {27, 27, DIM_STAR},
    {20, 12, DIM_STAR},
    {2,  13, DIM_STAR}
};

constexpr float PLANET_X = 12.5f, PLANET_Y = 20.5f, PLANET_R = 8.5f;
constexpr float RING_RX = 14.0f, RING_RY = 4.0f, RING_HALF_WIDTH = 0.16f;

int planetColour(float dx, float dy) {
    float nx = dx / PLANET_R, ny = dy / PLANET_R;
    float nz    = std::sqrt(std::fmax(0.0f, 1.0f - nx * nx - ny * ny));
    float light = 0.6f * nx - 0.55f * ny + 0.58f * nz; // lit from the upper right
    int shade   = static_cast<int>((light + 0.2f) * 3.5f);
    if (shade < 0) shade = 0;
    if (shade > 4) shade = 4;
    return PLANET0 + shade;
}

bool onRing(float dx, float dy) {
    // The ring is tilted: its ellipse is turned a little against the axes.
    float rx = dx * 0.96f + dy * 0.28f, ry = -dx * 0.28f + dy * 0.96f;
    float e = (rx * rx) / (RING_RX * RING_RX) + (ry * ry) / (RING_RY * RING_RY);
    return std::fabs(e - 1.0f) < RING_HALF_WIDTH * 2.0f;
}

// The ship, a dart flying up and to the right: light upper fin, dark lower fin, cockpit
// along the middle and the engine's flame behind. '.' is sky.
constexpr int SHIP_X = 18, SHIP_Y = 1, SHIP_W = 13, SHIP_H = 13;
// clang-format off
const char* const SHIP_ROWS[SHIP_H] = {
    "...........LL",
    ".........LLLH",
    ".......LLLLHD",
    ".....LLLLLCHD",
    "...LLLLLLCHDD",
    ".LLLLLLLCHHDD",
    "..EHHHHCHHDD.",
    "...EEHHHHDDD.",
    "....E.HHHDD..",
    "........HDD..",
    "........HD...",
    ".........D...",
    ".........D...",
};
// clang-format on

int shipColour(int x, int y) {
    int sx = x - SHIP_X, sy = y - SHIP_Y;
    if (sx < 0 || sy < 0 || sx >= SHIP_W || sy >= SHIP_H) return -1;
    switch (SHIP_ROWS[sy][sx]) {
    case 'L':
        return HULL_LIGHT;
    case 'H':
        return HULL;
    case 'D':
        return HULL_DARK;
    case 'C':
        return COCKPIT;
    case 'E':
        return ENGINE;
    default:
        return -1;
    }
}

int iconColour(int x, int y) {
    int ship = shipColour(x, y);
    if (ship >= 0) return ship;
    float dx = x + 0.5f - PLANET_X, dy = y + 0.5f - PLANET_Y;
    bool planet      = dx * dx + dy * dy <= PLANET_R * PLANET_R;
    bool ringInFront = onRing(dx, dy) && (dy > 0.0f || !planet);
    if (ringInFront) return RING;
    if (planet) return planetColour(dx, dy);
    for (const Star& s : STARS) {
        if (s.x == x && s.y == y) return s.colour;
    }
    bool edge = x == 0 || y == 0 || x == ICON_SIDE - 1 || y == ICON_SIDE - 1;
    return edge ? SKY_EDGE : SKY;
}
} // namespace

void drawGameIcon(uint32_t pixels[ICON_SIDE * ICON_SIDE]) {
    for (int y = 0; y < ICON_SIDE; ++y) {
        for (int x = 0; x < ICON_SIDE; ++x)
            pixels[y * ICON_SIDE + x] = ICON_PALETTE[iconColour(x, y)];
    }
}
