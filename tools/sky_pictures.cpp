// The sky: a dark field crossed by a dusty galactic band, with coloured nebulae and
// scattered stars. Everything is painted by direction, so the six faces meet seamlessly.
#include <cmath>

#include "tools/models.h"
#include "tools/noise.h"
#include "tools/pictures.h"
#include "tools/seeded_random.h"

namespace {
constexpr uint64_t STAR_SEED  = 3001;
constexpr int FAINT_STARS     = 9000;
constexpr int BRIGHT_STARS    = 160;
constexpr int DIM_STARS       = 24000; // barely there; last, so the others keep their places
constexpr Vec3 GALACTIC_POLE  = {0.3f, 0.85f, 0.42f};
constexpr int BACKGROUND_STEP = 4; // texels between the points the background is painted at
constexpr float FAINTEST_BAND = 1.0f / 4096; // its light is then about a sixtieth of a byte

float fbm(uint32_t seed, Vec3 d, float frequency, int octaves) {
    return fractalNoise(seed, d.x * frequency, d.y * frequency, d.z * frequency, octaves);
}

float bandStrength(Vec3 d) {
    const float b = dot(d, normalize(GALACTIC_POLE)) + 0.08f * fbm(3100, d, 2.0f, 3);
    return std::exp(-(b * b) / (0.2f * 0.2f));
}

Rgb skyBackground(Vec3 d) {
    Rgb colour{0.004f, 0.006f, 0.016f};
    // The galactic band: a haze of unresolved stars cut by dark dust lanes. Where it is too
    // faint to change a byte (and where no nebula lies, below) no finer noise is worked out.
    const float band = bandStrength(d);
    if (band > FAINTEST_BAND) {
        const float haze = 0.6f + 0.4f * fbm(3110, d, 4.0f, 5);
        const float dust =
            smoothStep(0.55f, 0.85f, ridgedNoise(3120, d.x * 3, d.y * 3, d.z * 3, 4));
        colour =
            addRgb(colour, scaleRgb(Rgb{0.2f, 0.17f, 0.21f}, band * haze * (1.0f - 0.8f * dust)));
    }
    // Nebulae: wide clouds, red-magenta in some places and blue-green in others.
    const float cloud = smoothStep(0.05f, 0.65f, fbm(3200, d, 1.4f, 4));
    if (cloud == 0.0f) return colour;
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
    // The star's place in texel centres' coordinates: texel k's centre at k.
    const float px  = skyTexCoord(dot(d, uAxis) / facing) * SKY_TEXTURE_SIDE - 0.5f;
    const float py  = skyTexCoord(dot(d, vAxis) / facing) * SKY_TEXTURE_SIDE - 0.5f;
    const int reach = static_cast<int>(std::ceil(3.0f * sigma));
    for (int y = static_cast<int>(py) - reach; y <= static_cast<int>(py) + reach + 1; ++y) {
        for (int x = static_cast<int>(px) - reach; x <= static_cast<int>(px) + reach + 1; ++x) {
            const float dx = x - px, dy = y - py;
            addLight(picture, x, y, colour, std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma)));
        }
    }
}
} // namespace

Picture makeSkyPicture(int face) {
    // The background changes slowly, so it is painted on every BACKGROUND_STEP-th texel centre
    // (one point past the last) and filled in between; only the stars need every texel.
    const int points = SKY_TEXTURE_SIDE / BACKGROUND_STEP + 1;
    Picture coarse   = makePicture(points, points);
    for (int j = 0; j < points; ++j) {
        const float v = skyFaceCoord(j * BACKGROUND_STEP + 0.5f);
        for (int i = 0; i < points; ++i)
            pixelAt(coarse, i, j) = skyBackground(
                normalize(skyFacePoint(face, skyFaceCoord(i * BACKGROUND_STEP + 0.5f), v)));
    }
    Picture picture = makePicture(SKY_TEXTURE_SIDE, SKY_TEXTURE_SIDE);
    for (int y = 0; y < SKY_TEXTURE_SIDE; ++y) {
        const int j    = y / BACKGROUND_STEP;
        const float fy = float(y % BACKGROUND_STEP) / BACKGROUND_STEP;
        for (int x = 0; x < SKY_TEXTURE_SIDE; ++x) {
            const int i    = x / BACKGROUND_STEP;
            const float fx = float(x % BACKGROUND_STEP) / BACKGROUND_STEP;
            pixelAt(picture, x, y) =
                mixRgb(mixRgb(pixelAt(coarse, i, j), pixelAt(coarse, i + 1, j), fx),
                       mixRgb(pixelAt(coarse, i, j + 1), pixelAt(coarse, i + 1, j + 1), fx), fy);
        }
    }
    // Every face draws the whole catalogue in the same order, so shared edges agree.
    SeededRandom random = seededRandom(STAR_SEED);
    for (int k = 0; k < FAINT_STARS + BRIGHT_STARS + DIM_STARS; ++k) {
        float v[3];
        nextDirection(random, v);
        const Vec3 d{v[0], v[1], v[2]};
        const Rgb colour   = starColour(random);
        const float chance = nextUnit(random), size = nextUnit(random);
        // Faint and dim stars crowd toward the galactic band.
        if (k < FAINT_STARS || k >= FAINT_STARS + BRIGHT_STARS) {
            if (chance > 0.35f + 0.65f * bandStrength(d)) continue;
            // From barely there to clear.
            const float light = k < FAINT_STARS ? 0.2f + 1.2f * size * size * size
                                                : 0.06f + 0.35f * size * size * size;
            splatStar(picture, face, d, scaleRgb(colour, light), 0.55f);
        } else {
            splatStar(picture, face, d, scaleRgb(colour, 1.6f), 0.7f + 0.5f * size);
            splatStar(picture, face, d, scaleRgb(colour, 0.05f), 4.0f);
        }
    }
    return picture;
}
