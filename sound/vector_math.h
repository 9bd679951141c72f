// The few vector operations the sound's placement needs, on plain float[3].
#pragma once

void cross(const float a[3], const float b[3], float out[3]);
float dot(const float a[3], const float b[3]);
float lengthSquared(const float v[3]);
// Scales v to unit length; false (v untouched) when it has no direction.
bool normalise(float v[3]);
