// The listener follows the local ship: its position, and its "at" along the ship's step.
#pragma once

constexpr int ORIENTATION_FLOATS = 6; // at (x, y, z), then up (x, y, z)

// The listener at the origin, still, looking along +z with +y up.
void setupListener();

// Turns orientation (at, up) so that "at" points along at and "up" is the unit vector
// perpendicular to it that lies closest to world up. While at is zero, or not finite, the
// orientation stays. Looking straight up or down, "up" keeps the previous right-hand side.
void orientListener(const float at[3], float orientation[ORIENTATION_FLOATS]);
