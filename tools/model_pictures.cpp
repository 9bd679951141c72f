// The pictures the models name: the ship's hull panels and the explosion's flames.
#include <cmath>

#include "tools/mesh.h"
#include "tools/noise.h"
#include "tools/pictures.h"
#include "tools/seeded_random.h"

namespace {
constexpr int HULL_SIDE   = 128;
constexpr int FIRE_WIDTH  = 128;
constexpr int FIRE_HEIGHT = 64;
constexpr int PANEL       = 16; // texels per hull panel
} // namespace

// Light grey panels with darker seams, a spine stripe and wing chevrons. The ship list
// multiplies it by the slot colour, so this only shades that colour.
Picture makeHullPicture() {
    Picture picture     = makePicture(HULL_SIDE, HULL_SIDE);
    SeededRandom random = seededRandom(4001);
    float rowShift[HULL_SIDE / PANEL];
    for (float& shift : rowShift)
        shift = nextRange(random, 0.0f, PANEL);
    for (int y = 0; y < HULL_SIDE; ++y) {
        for (int x = 0; x < HULL_SIDE; ++x) {
            const float grime  = 0.06f * fractalNoise(4010, x / 24.0f, y / 24.0f, 0.5f, 4);
            float shade        = 0.86f + grime;
            const int panelRow = y / PANEL;
            const bool seam =
                y % PANEL == 0 || static_cast<int>(x + rowShift[panelRow]) % (2 * PANEL) == 0;
            if (seam) shade *= 0.62f;
            const float across = std::fabs(x + 0.5f - HULL_SIDE / 2.0f); // from the spine
            if (across < 5.0f) shade *= across < 1.5f ? 0.9f : 0.55f;
            // Chevrons on the wings: stripes slanting back from the leading edge.
            const float slant = std::fmod(across * 0.6f + y, 24.0f);
            if (across > 30.0f && across < 58.0f && y > 20 && y < 60 && slant < 5.0f) shade *= 0.5f;
            pixelAt(picture, x, y) = Rgb{shade, shade, shade * 1.02f};
        }
    }
    return picture;
}

Picture makeFirePicture() {
    constexpr RampStop ramp[] = {
        {0.0f,  {0.35f, 0.04f, 0.0f}},
        {0.35f, {0.9f, 0.3f, 0.03f} },
        {0.65f, {1.0f, 0.62f, 0.12f}},
        {0.85f, {1.0f, 0.88f, 0.4f} },
        {1.0f,  {1.0f, 1.0f, 0.85f} },
    };
    Picture picture = makePicture(FIRE_WIDTH, FIRE_HEIGHT);
    const float pi  = 3.14159265f;
    for (int y = 0; y < FIRE_HEIGHT; ++y) {
        const float lat = ((y + 0.5f) / FIRE_HEIGHT - 0.5f) * pi;
        for (int x = 0; x < FIRE_WIDTH; ++x) {
            const float lon = ((x + 0.5f) / FIRE_WIDTH - 0.5f) * 2.0f * pi;
            const Vec3 d{std::cos(lat) * std::sin(lon), std::sin(lat),
                         std::cos(lat) * std::cos(lon)};
            const float turbulence = ridgedNoise(4100, d.x * 3, d.y * 3, d.z * 3, 5);
            const float heat       = 0.5f + 0.5f * fractalNoise(4110, d.x * 2, d.y * 2, d.z * 2, 4);
            pixelAt(picture, x, y) =
                rampColour(ramp, 5, clampUnit(0.6f * turbulence + 0.5f * heat - 0.1f));
        }
    }
    return picture;
}
