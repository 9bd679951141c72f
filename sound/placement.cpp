// distanceGain and channelGains: the inverse clamped distance model and an equal-power pan.
#include "sound/placement.h"

#include <cmath>

#include "world/vector.h"

namespace {
constexpr float QUARTER_TURN = 1.57079632679f; // pi / 2: from all left to all right
} // namespace

float distanceGain(float distance) {
    if (!std::isfinite(distance)) return 0.0f; // nowhere: silent
    if (distance <= SOUND_REFERENCE_DISTANCE) return 1.0f;
    return SOUND_REFERENCE_DISTANCE /
           (SOUND_REFERENCE_DISTANCE + SOUND_ROLLOFF * (distance - SOUND_REFERENCE_DISTANCE));
}

void channelGains(const float listener[3], const float orientation[ORIENTATION_FLOATS],
                  const float source[3], float gains[2]) {
    float toSource[3];
    for (int a = 0; a < 3; ++a)
        toSource[a] = source[a] - listener[a];
    const float distance = std::sqrt(lengthSquared(toSource));
    float right[3];
    cross(orientation, orientation + 3, right);
    float side = 0.0f; // -1 all left, 1 all right
    if (normalise(toSource) && normalise(right)) side = dot(toSource, right);
    if (!std::isfinite(side)) side = 0.0f;
    side                 = std::fmax(-1.0f, std::fmin(1.0f, side));
    const float gain     = distanceGain(distance);
    const float angle    = (side + 1.0f) * 0.5f * QUARTER_TURN;
    gains[LEFT_CHANNEL]  = gain * std::cos(angle);
    gains[RIGHT_CHANNEL] = gain * std::sin(angle);
}
