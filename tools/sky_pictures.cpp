// The sky: a dark field crossed by a dusty galactic band, with coloured nebulae and
// scattered stars. Everything is painted by direction, so the six faces meet seamlessly.
#include <cmath>

#include "tools/models.h"
#include "tools/noise.h"
#include "tools/pictures.h"
#include "tools/seeded_random.h"

namespace {
constexpr uint64_t STAR_SEED = 3001;
constexpr int FAINT_STARS    = 9000;
constexpr int BRIGHT_STARS   = 160;
constexpr Vec3 GALACTIC_POLE = {0.3f, 0.85f, 0.42f};

float fbm(uint32_t seed, Vec3 d, float frequency, int octaves) {
    return fractalNoise(seed, d.x * frequency, d.y * frequency, d.z * frequency, octaves);
}

float bandStrength(Vec3 d) {
    const float b = dot(d, normalize(GALACTIC_POLE)) + 0.08f * fbm(3100, d, 2.0f, 3);
    return std::exp(-(b * b) / (0.2f * 0.2f));
}

Rgb skyBackground(Vec3 d) {
    Rgb colour{0.004f, 0.006f, 0.016f};
    // The galactic band: a haze of unresolved stars cut by dark dust lanes.
    const float band = bandStrength(d);
    const float haze = 0.6f + 0.4f * fbm(3110, d, 4.0f, 5);
    const float dust = smoothStep(0.55f, 0.85f, ridgedNoise(3120, d.x * 3, d.y * 3, d.z * 3, 4));
    colour = addRgb(colour, scaleRgb(Rgb{0.2f, 0.17f, 0.21f}, band * haze * (1.0f - 0.8f * dust)));
    // Nebulae: wide clouds, red-magenta in some places and blue-green in others.
    const float cloud  = smoothStep(0.05f, 0.65f, fbm(3200, d, 1.4f, 4));
    const float detail = 0.45f + 0.55f * (0.5f + 0.5f * fbm(3210, d, 5.0f, 5));
    const float hue    = smoothStep(-0.3f, 0.3f, fbm(3220, d, 0.9f, 3));
    const Rgb tint     = mixRgb(Rgb{0.42f, 0.07f, 0.3f}, Rgb{0.04f, 0.26f, 0.36f}, hue);
    colour             = addRgb(colour, scaleRgb(tint, 0.9f * cloud * detail * detail));
    const float wisps  = smoothStep(0.6f, 0.95f, ridgedNoise(3230, d.x * 4, d.y * 4, d.z * 4, 3));
    colour = addRgb(colour, scaleRgb(addRgb(tint, Rgb{0.1f, 0.1f, 0.12f}), 0.5f * cloud * wisps));
    return colour;
}

Rgb starColour(SeededRandom& random) {
    constexpr Rgb COLOURS[] = {
        {0.72f, 0.82f, 1.0f },
        {0.9f,  0.93f, 1.0f },
        {1.0f,  1.0f,  1.0f },
        {1.0f,  0.93f, 0.78f},
        {1.0f,  0.78f, 0.55f},
    };
    return COLOURS[nextBits(random) % 5];
}

// A star is a small gaussian, drawn on every face that sees it so it crosses edges whole.
void splatStar(Picture& picture, int face, Vec3 d, Rgb colour, float sigma) {
    const Vec3 n       = skyFacePoint(face, 0, 0);
    const float facing = dot(d, n);
    if (facing < 0.5f) return;
    const Vec3 uAxis = sub(skyFacePoint(face, 1, 0), n), vAxis = sub(skyFacePoint(face, 0, 1), n);
    const float last = SKY_TEXTURE_SIDE - 1.0f;
    const float px   = 0.5f * (dot(d, uAxis) / facing + 1.0f) * last;
    const float py   = 0.5f * (dot(d, vAxis) / facing + 1.0f) * last;
    const int reach  = static_cast<int>(std::ceil(3.0f * sigma));
    for (int y = static_cast<int>(py) - reach; y <= static_cast<int>(py) + reach + 1; ++y) {
        for (int x = static_cast<int>(px) - reach; x <= static_cast<int>(px) + reach + 1; ++x) {
            const float dx = x - px, dy = y - py;
            addLight(picture, x, y, colour, std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma)));
        }
    }
}
} // namespace

Picture makeSkyPicture(int face) {
    Picture picture  = makePicture(SKY_TEXTURE_SIDE, SKY_TEXTURE_SIDE);
    const float last = SKY_TEXTURE_SIDE - 1.0f;
    for (int y = 0; y < SKY_TEXTURE_SIDE; ++y)
        for (int x = 0; x < SKY_TEXTURE_SIDE; ++x)
            pixelAt(picture, x, y) =
                skyBackground(normalize(skyFacePoint(face, 2 * x / last - 1, 2 * y / last - 1)));
    // Every face draws the whole catalogue in the same order, so shared edges agree.
    SeededRandom random = seededRandom(STAR_SEED);
    for (int k = 0; k < FAINT_STARS + BRIGHT_STARS; ++k) {
        float v[3];
        nextDirection(random, v);
        const Vec3 d{v[0], v[1], v[2]};
        const Rgb colour   = starColour(random);
        const float chance = nextUnit(random), size = nextUnit(random);
        if (k < FAINT_STARS) {
            // Stars crowd toward the galactic band.
            if (chance > 0.35f + 0.65f * bandStrength(d)) continue;
            // From barely there to clear.
            splatStar(picture, face, d, scaleRgb(colour, 0.1f + 0.75f * size * size * size), 0.55f);
        } else {
            splatStar(picture, face, d, scaleRgb(colour, 1.6f), 0.7f + 0.5f * size);
            splatStar(picture, face, d, scaleRgb(colour, 0.05f), 4.0f);
        }
    }
    return picture;
}
