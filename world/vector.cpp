// distance, turnBetween, isFinitePoint.
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
