// Gradient noise on an integer lattice hashed from the seed (no tables, no global state).
#include "tools/noise.h"

#include <cmath>

#include "tools/seeded_random.h"

namespace {
// The twelve edge directions of a cube, the classic gradient set.
constexpr float GRADIENTS[12][3] = {
    {1,  1,  0 },
    {-1, 1,  0 },
    {1,  -1, 0 },
    {-1, -1, 0 },
    {1,  0,  1 },
    {-1, 0,  1 },
    {1,  0,  -1},
    {-1, 0,  -1},
    {0,  1,  1 },
    {0,  -1, 1 },
    {0,  1,  -1},
    {0,  -1, -1},
};

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}
float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

float corner(uint32_t lattice, float fx, float fy, float fz) {
    const float* g = GRADIENTS[hashFinish(lattice) % 12u];
    return g[0] * fx + g[1] * fy + g[2] * fz;
}
} // namespace

float gradientNoise(uint32_t seed, float x, float y, float z) {
    const float x0 = std::floor(x), y0 = std::floor(y), z0 = std::floor(z);
    const int ix = static_cast<int>(x0), iy = static_cast<int>(y0), iz = static_cast<int>(z0);
    const float fx = x - x0, fy = y - y0, fz = z - z0;
    const float u = fade(fx), v = fade(fy), w = fade(fz);
    // The eight corners hash (seed, x, y, z) in steps and share the first ones.
    const uint32_t h0 = hashStep(hashStart(seed), ix), h1 = hashStep(hashStart(seed), ix + 1);
    const uint32_t h00 = hashStep(h0, iy), h10 = hashStep(h1, iy);
    const uint32_t h01 = hashStep(h0, iy + 1), h11 = hashStep(h1, iy + 1);
    const float c000 = corner(hashStep(h00, iz), fx, fy, fz);
    const float c100 = corner(hashStep(h10, iz), fx - 1, fy, fz);
    const float c010 = corner(hashStep(h01, iz), fx, fy - 1, fz);
    const float c110 = corner(hashStep(h11, iz), fx - 1, fy - 1, fz);
    const float c001 = corner(hashStep(h00, iz + 1), fx, fy, fz - 1);
    const float c101 = corner(hashStep(h10, iz + 1), fx - 1, fy, fz - 1);
    const float c011 = corner(hashStep(h01, iz + 1), fx, fy - 1, fz - 1);
    const float c111 = corner(hashStep(h11, iz + 1), fx - 1, fy - 1, fz - 1);
    return mix(mix(mix(c000, c100, u), mix(c010, c110, u), v),
               mix(mix(c001, c101, u), mix(c011, c111, u), v), w);
}

float fractalNoise(uint32_t seed, float x, float y, float z, int octaves) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * gradientNoise(seed + static_cast<uint32_t>(o), x, y, z);
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return sum / total * 1.4f;
}

float ridgedNoise(uint32_t seed, float x, float y, float z, int octaves) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        const float n = 1.0f - std::fabs(gradientNoise(seed + static_cast<uint32_t>(o), x, y, z));
        sum += weight * n * n;
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return sum / total;
}
