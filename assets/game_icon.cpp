// The game's icon, computed rather than read from a file: every shape is laid out on a
// 32-unit square and sampled several times a pixel, so any size is drawn sharp, not scaled.
#include "assets/game_icon.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
constexpr float DESIGN_SIDE       = 32.0f; // the square the shapes are laid out on
constexpr int SAMPLES_PER_AXIS    = 4;     // samples along each side of a pixel
constexpr float EDGE_WIDTH        = 1.0f;  // the sky's lighter frame
constexpr float BRIGHT_STAR_R     = 0.55f;
constexpr float DIM_STAR_R        = 0.4f;
constexpr float STAR_GLOW_REACH   = 2.5f; // a star's glow, in star radii
constexpr float STAR_GLOW_OPACITY = 0.35f;

struct Rgb {
    float r, g, b;
};

Rgb rgbOf(uint32_t argb) {
    return {float(argb >> 16 & 0xFFu), float(argb >> 8 & 0xFFu), float(argb & 0xFFu)};
}

Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// clang-format off
const uint32_t ICON_PALETTE[16] = {
    0xFF080C24, 0xFF10183C, 0xFFFFFFFF, 0xFF9AA6C8, // sky, sky edge, star, dim star
    0xFF5A2A10, 0xFF8C4418, 0xFFC86E24, 0xFFF0A848, // planet from shade to light
    0xFFFFD890, 0xFFB0B4C0, 0xFFE8ECF4, 0xFF606878, // planet highlight, hull, hull light, hull dark
    0xFF40E0FF, 0xFFFF5020, 0xFFD0C8A0, 0xFF8C8470, // cockpit, engine, ring, ring's gap
};
// clang-format on
enum Colour {
    SKY,
    SKY_EDGE,
    STAR,
    DIM_STAR,
    PLANET0,
    PLANET_HIGHLIGHT = PLANET0 + 4,
    HULL,
    HULL_LIGHT,
    HULL_DARK,
    COCKPIT,
    ENGINE,
    RING,
    RING_GAP,
    FLAME_CORE = PLANET_HIGHLIGHT // the flame's core burns in the planet's highlight
};

Rgb paletteRgb(int colour) {
    return rgbOf(ICON_PALETTE[colour]);
}

struct Point {
    float x, y;
};

struct Star {
    Point at;
    Colour colour;
};
const Star STARS[] = {
    {{3.5f, 3.5f},   STAR    },
    {{14.5f, 2.5f},  DIM_STAR},
    {{9.5f, 8.5f},   DIM_STAR},
    {{29.5f, 14.5f}, STAR    },
    {{27.5f, 27.5f}, DIM_STAR},
    {{20.5f, 12.5f}, DIM_STAR},
    {{2.5f, 13.5f},  DIM_STAR}
};

// A ringed planet lit from the upper right, its ring's ellipse turned a little.
constexpr Point PLANET   = {12.5f, 20.5f};
constexpr float PLANET_R = 8.5f;
constexpr float LIGHT_X = 0.6f, LIGHT_Y = -0.55f, LIGHT_Z = 0.58f;
constexpr float SHADE_OFFSET = 0.2f, SHADE_SCALE = 3.5f; // light to a place on the shade ramp
constexpr float PLANET_SHADES = 4.0f;                    // the ramp's steps after the darkest
constexpr float BAND_DEPTH = 0.3f, BAND_COUNT = 9.0f;    // faint bands across the planet
constexpr float RING_RX = 14.0f, RING_RY = 4.0f, RING_COS = 0.96f, RING_SIN = 0.28f;
constexpr float RING_HALF_WIDTH = 0.32f, RING_GAP_HALF_WIDTH = 0.05f; // in the ellipse's terms

Rgb planetRgb(float dx, float dy) {
    const float nx = dx / PLANET_R, ny = dy / PLANET_R;
    const float nz    = std::sqrt(std::fmax(0.0f, 1.0f - nx * nx - ny * ny));
    const float light = LIGHT_X * nx + LIGHT_Y * ny + LIGHT_Z * nz;
    const float band  = BAND_DEPTH * std::sin(ny * BAND_COUNT);
    const float shade =
        std::clamp((light + SHADE_OFFSET) * SHADE_SCALE + band, 0.0f, PLANET_SHADES);
    const int step = std::min(static_cast<int>(shade), static_cast<int>(PLANET_SHADES) - 1);
    return mix(paletteRgb(PLANET0 + step), paletteRgb(PLANET0 + step + 1), shade - step);
}

// Where a point lies across the ring's band: 0 on its middle line, 1 at its edges, above 1
// off it.
float ringAcross(float dx, float dy) {
    const float rx = dx * RING_COS + dy * RING_SIN, ry = -dx * RING_SIN + dy * RING_COS;
    const float e = (rx * rx) / (RING_RX * RING_RX) + (ry * ry) / (RING_RY * RING_RY);
    return std::fabs(e - 1.0f) / RING_HALF_WIDTH;
}

// The ship, a dart flying up and to the right: light upper fin, dark lower fin, the hull
// along its spine with the cockpit on it, and the engine's flame behind.
struct Triangle {
    Point a, b, c;
    Colour colour;
};
constexpr Point NOSE = {31.2f, 0.7f}, WING_UP = {18.4f, 6.4f}, WING_DOWN = {27.9f, 13.8f};
constexpr Point TAIL = {23.9f, 8.9f}, HULL_UP = {21.8f, 7.9f}, HULL_DOWN = {25.4f, 10.4f};
constexpr Point FLAME_UP = {21.2f, 7.7f}, FLAME_DOWN = {23.6f, 10.3f}, FLAME_TIP = {18.6f, 11.4f};
constexpr Point CORE_UP = {21.9f, 8.5f}, CORE_DOWN = {23.0f, 9.7f}, CORE_TIP = {20.4f, 10.4f};
const Triangle SHIP[] = {
    {NOSE,     WING_UP,    TAIL,      HULL_LIGHT},
    {NOSE,     TAIL,       WING_DOWN, HULL_DARK },
    {NOSE,     HULL_UP,    TAIL,      HULL      },
    {NOSE,     TAIL,       HULL_DOWN, HULL      },
    {FLAME_UP, FLAME_DOWN, FLAME_TIP, ENGINE    },
    {CORE_UP,  CORE_DOWN,  CORE_TIP,  FLAME_CORE},
};
constexpr Point COCKPIT_FROM = {29.4f, 2.9f}, COCKPIT_TO = {26.0f, 6.8f};
constexpr float COCKPIT_R = 0.5f;

float cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool inside(const Triangle& t, Point p) {
    const float ab = cross(t.a, t.b, p), bc = cross(t.b, t.c, p), ca = cross(t.c, t.a, p);
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

float distanceToSegment(Point p, Point a, Point b) {
    const float ax = b.x - a.x, ay = b.y - a.y;
    const float t =
        std::clamp(((p.x - a.x) * ax + (p.y - a.y) * ay) / (ax * ax + ay * ay), 0.0f, 1.0f);
    return std::hypot(p.x - a.x - t * ax, p.y - a.y - t * ay);
}

Rgb skyRgb(Point p) {
    const bool edge =
        std::fmin(std::fmin(p.x, p.y), DESIGN_SIDE - std::fmax(p.x, p.y)) < EDGE_WIDTH;
    Rgb sky = paletteRgb(edge ? SKY_EDGE : SKY);
    for (const Star& s : STARS) {
        const float r = s.colour == STAR ? BRIGHT_STAR_R : DIM_STAR_R;
        const float d = std::hypot(p.x - s.at.x, p.y - s.at.y) / r;
        if (d <= 1.0f) return paletteRgb(s.colour);
        if (d < STAR_GLOW_REACH)
            sky = mix(sky, paletteRgb(s.colour),
                      STAR_GLOW_OPACITY * (STAR_GLOW_REACH - d) / (STAR_GLOW_REACH - 1.0f));
    }
    return sky;
}

Rgb ringRgb(float across) {
    return paletteRgb(across * RING_HALF_WIDTH < RING_GAP_HALF_WIDTH ? RING_GAP : RING);
}

// The colour at a point of the design square, front to back.
Rgb iconRgb(Point p) {
    if (distanceToSegment(p, COCKPIT_FROM, COCKPIT_TO) < COCKPIT_R) return paletteRgb(COCKPIT);
    for (int i = static_cast<int>(std::size(SHIP)) - 1; i >= 0; --i) {
        if (inside(SHIP[i], p)) return paletteRgb(SHIP[i].colour);
    }
    const float dx = p.x - PLANET.x, dy = p.y - PLANET.y;
    const bool planet   = dx * dx + dy * dy <= PLANET_R * PLANET_R;
    const float across  = ringAcross(dx, dy);
    const bool ringSeen = across < 1.0f && (dy > 0.0f || !planet); // its far half passes behind
    if (ringSeen) return ringRgb(across);
    if (planet) return planetRgb(dx, dy);
    return skyRgb(p);
}

uint32_t argbOf(Rgb c) {
    const auto channel = [](float v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    };
    return 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}
} // namespace

void drawGameIcon(uint32_t* pixels, int side) {
    const float unitsPerPixel = DESIGN_SIDE / static_cast<float>(side);
    const float step          = unitsPerPixel / SAMPLES_PER_AXIS;
    constexpr float SAMPLES   = SAMPLES_PER_AXIS * SAMPLES_PER_AXIS;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            Rgb sum = {0, 0, 0};
            for (int sy = 0; sy < SAMPLES_PER_AXIS; ++sy) {
                for (int sx = 0; sx < SAMPLES_PER_AXIS; ++sx) {
                    const Rgb c = iconRgb({x * unitsPerPixel + (sx + 0.5f) * step,
                                           y * unitsPerPixel + (sy + 0.5f) * step});
                    sum         = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            pixels[y * side + x] = argbOf({sum.r / SAMPLES, sum.g / SAMPLES, sum.b / SAMPLES});
        }
    }
}
