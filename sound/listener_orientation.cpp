// orientListener: the ears follow the ship's step and keep their side when it looks straight
// up or down.
#include "sound/listener_orientation.h"

#include <cmath>

#include "world/vector.h"

namespace {
// Below this squared sine of the angle between "at" and the vertical, "at" counts as
// vertical: world up then gives no direction for "up".
constexpr float VERTICAL_SINE_SQUARED = 1e-12f;
} // namespace

void orientListener(const float at[3], float orientation[ORIENTATION_FLOATS]) {
    float len2 = lengthSquared(at);
    if (!(len2 > 0.0f) || !std::isfinite(len2)) return;

    // World up minus its share along at, scaled by |at|^2 to avoid cancellation near the
    // vertical: (-x y, x^2 + z^2, -z y).
    float horizontal2 = at[0] * at[0] + at[2] * at[2];
    float up[3]       = {-at[0] * at[1], horizontal2, -at[2] * at[1]};
    if (horizontal2 <= VERTICAL_SINE_SQUARED * len2 || !normalise(up)) {
        // Straight up or down: keep the ears where they were, up = previous right x at.
        float right[3];
        cross(orientation, orientation + 3, right);
        cross(right, at, up);
        if (!normalise(up)) {
            for (int a = 0; a < 3; ++a)
                up[a] = orientation[3 + a];
        }
    }
    for (int a = 0; a < 3; ++a) {
        orientation[a]     = at[a];
        orientation[3 + a] = up[a];
    }
}
