// soundUpdateListener: the listener sits on the local ship and faces along its step.
#include "sound/listener.h"

#include <AL/al.h>
#include <cmath>

#include "sound/audio_device.h"
#include "sound/sound.h"

namespace {
const float LISTENER_START_POSITION[3]                     = {0.0f, 0.0f, 0.0f};
const float LISTENER_VELOCITY[3]                           = {0.0f, 0.0f, 0.0f};
const float LISTENER_START_ORIENTATION[ORIENTATION_FLOATS] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f};

// Below this squared sine of the angle between "at" and the vertical, "at" counts as
// vertical: world up then gives no direction for "up".
constexpr float VERTICAL_SINE_SQUARED = 1e-12f;

// The orientation last handed to OpenAL.
float listenerOrientation[ORIENTATION_FLOATS];

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

float lengthSquared(const float v[3]) {
    return v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
}

// Scales v to unit length; false (v untouched) when it has no direction.
bool normalise(float v[3]) {
    float len2 = lengthSquared(v);
    if (!(len2 > 0.0f) || !std::isfinite(len2)) return false;
    float inverse = 1.0f / std::sqrt(len2);
    for (int a = 0; a < 3; ++a)
        v[a] *= inverse;
    return true;
}
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

void setupListener() {
    alListenerfv(AL_POSITION, LISTENER_START_POSITION);
    alListenerfv(AL_VELOCITY, LISTENER_VELOCITY);
    alListenerfv(AL_ORIENTATION, LISTENER_START_ORIENTATION);
    for (int i = 0; i < ORIENTATION_FLOATS; ++i)
        listenerOrientation[i] = LISTENER_START_ORIENTATION[i];
}

void soundUpdateListener(const float position[3], const float facing[3]) {
    if (!soundDeviceOpen()) return;
    alListenerfv(AL_POSITION, position);
    orientListener(facing, listenerOrientation);
    alListenerfv(AL_ORIENTATION, listenerOrientation);
}
