// The listener's orientation, shared by every backend: "at" along the local ship's step and
// "up" as close to world up as that allows.
#pragma once

constexpr int ORIENTATION_FLOATS = 6; // at (x, y, z), then up (x, y, z)

// Looking along +z with +y up, as every game starts.
constexpr float LISTENER_START_ORIENTATION[ORIENTATION_FLOATS] = {0.0f, 0.0f, 1.0f,
                                                                  0.0f, 1.0f, 0.0f};

// Turns orientation (at, up) so that "at" points along at and "up" is the unit vector
// perpendicular to it that lies closest to world up. While at is zero, or not finite, the
// orientation stays. Looking straight up or down, "up" keeps the previous right-hand side.
void orientListener(const float at[3], float orientation[ORIENTATION_FLOATS]);
