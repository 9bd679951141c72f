// Planet surfaces, painted by direction on the unit sphere so that the longitude seam and
// the poles show no joins. They are painted at the brightness they should have facing the
// viewer; the light darkens them toward the rim.
#include <cmath>
#include <vector>

#include "tools/mesh.h"
#include "tools/noise.h"
#include "tools/pictures.h"
#include "tools/seeded_random.h"

const char* const PLANET_KINDS[PLANET_KIND_COUNT] = {
    "rock", "ice", "lava", "gas", "moss", "desert", "azure", "violet", "ocean", "sulfur",
};

namespace {
constexpr float PI = 3.14159265f;

struct Crater {
    Vec3 centre;
    float radius;   // angular, radians
    float reachCos; // the cosine of how far from the centre it shades anything
};

// Craters shade up to `reach` times their radius from their centre.
std::vector<Crater> scatterCraters(uint64_t seed, int count, float smallest, float largest,
                                   float reach) {
    SeededRandom random = seededRandom(seed);
    std::vector<Crater> craters;
    for (int k = 0; k < count; ++k) {
        float d[3];
        nextDirection(random, d);
        // Many small craters, few large ones.
        const float u      = nextUnit(random);
        const float radius = smallest + (largest - smallest) * u * u * u;
        craters.push_back({
            {d[0], d[1], d[2]},
            radius, std::cos(reach * radius)
        });
    }
    return craters;
}

// Bowls darken and rims brighten; returns a factor on the surface brightness.
float craterShade(const std::vector<Crater>& craters, Vec3 d) {
    float shade = 1.0f;
    for (const Crater& c : craters) {
        const float cosine = dot(d, c.centre);
        if (cosine < c.reachCos) continue;
        const float q = std::acos(std::fmin(1.0f, cosine)) / c.radius;
        if (q < 1.0f) shade *= 0.72f + 0.28f * q * q;
        shade *= 1.0f + 0.22f * std::exp(-(q - 1.0f) * (q - 1.0f) / 0.02f);
    }
    return shade;
}

float fbm(uint32_t seed, Vec3 d, float frequency, int octaves) {
    return fractalNoise(seed, d.x * frequency, d.y * frequency, d.z * frequency, octaves);
}

// How near a point lies to where two warped noise fields, a coarse and a finer one, cross zero.
struct CrackField {
    float coarse, fine;
};

CrackField crackField(uint32_t seed, Vec3 d, float frequency) {
    const Vec3 w = add(d, scale(Vec3{fbm(seed + 50, d, 2.0f, 3), fbm(seed + 60, d, 2.0f, 3),
                                     fbm(seed + 70, d, 2.0f, 3)},
                                0.15f));
    return {std::fabs(gradientNoise(seed, w.x * frequency, w.y * frequency, w.z * frequency)),
            std::fabs(gradientNoise(seed + 1, w.x * 2.3f * frequency, w.y * 2.3f * frequency,
                                    w.z * 2.3f * frequency))};
}

// A network of thin connected lines of the given width along the field's zeros; 1 on a line.
float crackLines(CrackField field, float width) {
    return std::fmax(1.0f - smoothStep(0.0f, width, field.coarse),
                     0.6f * (1.0f - smoothStep(0.0f, 0.7f * width, field.fine)));
}

const std::vector<Crater> ROCK_CRATERS = scatterCraters(1101, 90, 0.03f, 0.32f, 1.4f);
const std::vector<Crater> VOLCANOES    = scatterCraters(2001, 40, 0.04f, 0.14f, 2.0f);

Rgb rockSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.22f, 0.2f, 0.19f} },
        {0.5f, {0.46f, 0.42f, 0.38f}},
        {1.0f, {0.66f, 0.61f, 0.54f}},
    };
    const float h = 0.5f + 0.5f * fbm(1100, d, 2.5f, 6);
    return scaleRgb(rampColour(ramp, 3, h), craterShade(ROCK_CRATERS, d));
}

Rgb iceSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.52f, 0.66f, 0.82f}},
        {0.6f, {0.78f, 0.87f, 0.95f}},
        {1.0f, {0.93f, 0.96f, 1.0f} },
    };
    const float h     = 0.5f + 0.5f * fbm(1200, d, 2.0f, 5);
    const float crack = crackLines(crackField(1210, d, 2.5f), 0.045f);
    return mixRgb(rampColour(ramp, 3, h), Rgb{0.2f, 0.4f, 0.62f}, 0.75f * crack);
}

Rgb lavaSurface(Vec3 d) {
    constexpr RampStop glow[] = {
        {0.0f, {0.5f, 0.05f, 0.0f} },
        {0.5f, {1.0f, 0.42f, 0.04f}},
        {1.0f, {1.0f, 0.86f, 0.4f} },
    };
    const float rock = 0.5f + 0.5f * fbm(1300, d, 3.0f, 5);
    const Rgb basalt = mixRgb(Rgb{0.07f, 0.05f, 0.05f}, Rgb{0.22f, 0.17f, 0.15f}, rock);
    // Bright cores in a softer glow, so the cracks stay smooth when seen close up.
    const CrackField field = crackField(1310, d, 2.0f);
    const float crack      = std::fmax(crackLines(field, 0.09f), 0.3f * crackLines(field, 0.22f));
    const float lake       = smoothStep(0.45f, 0.6f, fbm(1320, d, 1.6f, 4));
    const float heat       = std::fmax(crack, lake);
    return mixRgb(basalt, rampColour(glow, 3, heat), smoothStep(0.0f, 0.35f, heat));
}

// Latitude bands stirred by noise that is stretched along the parallels.
Rgb bandedSurface(Vec3 d, uint32_t seed, const RampStop* ramp, int stops, float contrast) {
    const float warp  = 0.10f * fbm(seed, d, 3.0f, 4);
    const float swirl = 0.035f * fractalNoise(seed + 10, d.x * 4.0f, d.y * 30.0f, d.z * 4.0f, 3);
    const float y     = d.y + warp + swirl;
    const float band  = 0.5f + 0.3f * std::sin(y * 17.0f) + 0.2f * std::sin(y * 41.0f + 1.3f);
    const float t     = 0.5f + contrast * (band - 0.5f);
    return rampColour(ramp, stops, clampUnit(t));
}

Rgb gasSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f,  {0.5f, 0.3f, 0.18f}  },
        {0.35f, {0.78f, 0.58f, 0.38f}},
        {0.7f,  {0.93f, 0.85f, 0.68f}},
        {1.0f,  {0.98f, 0.95f, 0.86f}},
    };
    return bandedSurface(d, 1400, ramp, 4, 1.0f);
}

Rgb azureSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.2f, 0.42f, 0.72f} },
        {0.6f, {0.4f, 0.66f, 0.9f}  },
        {1.0f, {0.62f, 0.86f, 0.98f}},
    };
    return bandedSurface(d, 1700, ramp, 3, 0.7f);
}

Rgb violetSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.24f, 0.13f, 0.4f} },
        {0.5f, {0.52f, 0.32f, 0.66f}},
        {1.0f, {0.86f, 0.6f, 0.8f}  },
    };
    return bandedSurface(d, 1800, ramp, 3, 0.9f);
}

Rgb mossSurface(Vec3 d) {
    constexpr RampStop land[] = {
        {0.0f, {0.16f, 0.36f, 0.12f}},
        {0.4f, {0.3f, 0.46f, 0.16f} },
        {0.7f, {0.48f, 0.46f, 0.26f}},
        {1.0f, {0.56f, 0.5f, 0.38f} },
    };
    const float h = fbm(1500, d, 1.7f, 6) + 0.12f;
    Rgb surface;
    if (h < 0.05f)
        surface =
            mixRgb(Rgb{0.03f, 0.1f, 0.3f}, Rgb{0.08f, 0.3f, 0.5f}, smoothStep(-0.5f, 0.05f, h));
    else
        surface = rampColour(land, 4, clampUnit((h - 0.05f) * 2.2f));
    const float ice   = smoothStep(0.955f, 0.97f, std::fabs(d.y) + 0.03f * fbm(1510, d, 4.0f, 3));
    surface           = mixRgb(surface, Rgb{0.92f, 0.95f, 0.97f}, ice);
    const float cloud = smoothStep(0.15f, 0.6f, fbm(1520, Vec3{d.x, d.y * 1.6f, d.z}, 2.5f, 5));
    return mixRgb(surface, Rgb{0.95f, 0.96f, 0.98f}, 0.75f * cloud);
}

Rgb desertSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.42f, 0.22f, 0.13f}},
        {0.4f, {0.72f, 0.42f, 0.22f}},
        {0.8f, {0.86f, 0.62f, 0.38f}},
        {1.0f, {0.93f, 0.78f, 0.56f}},
    };
    const float h      = 0.5f + 0.5f * fbm(1600, d, 2.2f, 6);
    const float canyon = crackLines(crackField(1610, d, 1.8f), 0.03f);
    Rgb surface        = rampColour(ramp, 4, h);
    surface            = mixRgb(surface, Rgb{0.3f, 0.14f, 0.08f}, 0.7f * canyon);
    const float frost  = smoothStep(0.955f, 0.97f, std::fabs(d.y) + 0.02f * fbm(1620, d, 5.0f, 2));
    return mixRgb(surface, Rgb{0.95f, 0.92f, 0.88f}, frost);
}

Rgb oceanSurface(Vec3 d) {
    const float depth  = 0.5f + 0.5f * fbm(1900, d, 2.0f, 5);
    Rgb surface        = mixRgb(Rgb{0.02f, 0.08f, 0.3f}, Rgb{0.08f, 0.32f, 0.58f}, depth);
    const float island = smoothStep(0.78f, 0.82f, depth);
    surface = mixRgb(surface, mixRgb(Rgb{0.76f, 0.7f, 0.5f}, Rgb{0.2f, 0.45f, 0.2f}, 0.6f), island);
    // Storm spirals: clouds pulled around by a slowly twisting noise.
    const float twist = 2.5f * d.y;
    const Vec3 w{d.x * std::cos(twist) - d.z * std::sin(twist), d.y * 1.8f,
                 d.x * std::sin(twist) + d.z * std::cos(twist)};
    const float cloud = smoothStep(0.1f, 0.55f, fbm(1910, w, 2.6f, 5));
    return mixRgb(surface, Rgb{0.96f, 0.97f, 1.0f}, 0.85f * cloud);
}

Rgb sulfurSurface(Vec3 d) {
    constexpr RampStop ramp[] = {
        {0.0f, {0.78f, 0.46f, 0.16f}},
        {0.5f, {0.9f, 0.76f, 0.3f}  },
        {0.8f, {0.95f, 0.9f, 0.5f}  },
        {1.0f, {0.96f, 0.95f, 0.82f}},
    };
    Rgb surface = rampColour(ramp, 4, 0.5f + 0.5f * fbm(2000, d, 2.4f, 6));
    for (const Crater& v : VOLCANOES) {
        const float cosine = dot(d, v.centre);
        if (cosine < v.reachCos) continue;
        // Ragged outlines: the distance is stirred by noise before it is shaded.
        const float q =
            std::acos(std::fmin(1.0f, cosine)) / v.radius * (1.0f + 0.45f * fbm(2010, d, 9.0f, 3));
        surface = mixRgb(surface, Rgb{0.6f, 0.22f, 0.08f}, 0.55f * smoothStep(1.6f, 0.6f, q));
        surface = mixRgb(surface, Rgb{0.1f, 0.06f, 0.04f}, smoothStep(0.4f, 0.15f, q));
    }
    return surface;
}

using SurfaceFunction = Rgb (*)(Vec3 direction);

constexpr SurfaceFunction SURFACES[PLANET_KIND_COUNT] = {
    rockSurface,   iceSurface,   lavaSurface,   gasSurface,   mossSurface,
    desertSurface, azureSurface, violetSurface, oceanSurface, sulfurSurface,
};
} // namespace

Picture makePlanetPicture(int kind) {
    Picture picture = makePicture(PLANET_PICTURE_WIDTH, PLANET_PICTURE_HEIGHT);
    std::vector<Rgb> parallel(static_cast<size_t>(picture.width));
    for (int row = 0; row < picture.height; ++row) {
        const float lat = ((row + 0.5f) / picture.height - 0.5f) * PI;
        // A parallel is cos(lat) times as long as the equator: it is painted at only as many
        // points, equally spaced, and its texels are filled in between them (all of them on the
        // equator). That spares a third of the painting and none of the detail.
        const int points = static_cast<int>(std::ceil(picture.width * std::cos(lat)));
        for (int k = 0; k < points; ++k) {
            // The inverse of the sphere mesh's mapping: s = 0.5 + atan2(x, z) / 2 pi.
            const float lon = ((k + 0.5f) / points - 0.5f) * 2.0f * PI;
            const Vec3 d{std::cos(lat) * std::sin(lon), std::sin(lat),
                         std::cos(lat) * std::cos(lon)};
            parallel[static_cast<size_t>(k)] = SURFACES[kind](d);
        }
        for (int column = 0; column < picture.width; ++column) {
            const float at    = (column + 0.5f) * points / picture.width - 0.5f;
            const float below = std::floor(at);
            const int k0 = (static_cast<int>(below) + points) % points, k1 = (k0 + 1) % points;
            pixelAt(picture, column, row) = mixRgb(parallel[static_cast<size_t>(k0)],
                                                   parallel[static_cast<size_t>(k1)], at - below);
        }
    }
    return picture;
}
