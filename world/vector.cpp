// distance, turnBetween, isFinitePoint, and the products the sound places sounds with.
#include "world/vector.h"

#include <cmath>

namespace {
constexpr float FULL_TURN = 360.0f;
constexpr float HALF_TURN = 180.0f;
} // namespace

float distance(const float a[3], const float b[3]) {
    const float dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float turnBetween(float from, float to) {
    float d = std::fmod(to - from, FULL_TURN);
    if (d > HALF_TURN) d -= FULL_TURN;
    if (d < -HALF_TURN) d += FULL_TURN;
    return d;
}

bool isFinitePoint(const float p[3]) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

float dot(const float a[3], const float b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

float lengthSquared(const float v[3]) {
    return dot(v, v);
}

bool normalise(float v[3]) {
    float len2 = lengthSquared(v);
    if (!(len2 > 0.0f) || !std::isfinite(len2)) return false;
    float inverse = 1.0f / std::sqrt(len2);
    for (int a = 0; a < 3; ++a)
        v[a] *= inverse;
    return true;
}
