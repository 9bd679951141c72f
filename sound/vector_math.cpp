// Cross and dot products, length and normalisation for the sound's placement.
#include "sound/vector_math.h"

#include <cmath>

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
