// Smooth 3D gradient noise and its fractal sums, for planets, nebulae and fire.
#pragma once

#include <cstdint>

// About -1 to 1, smooth, repeating nowhere; each seed gives a different field.
float gradientNoise(uint32_t seed, float x, float y, float z);

// Sum of `octaves` layers, each twice the frequency and half the weight of the last,
// scaled back to about -1 to 1.
float fractalNoise(uint32_t seed, float x, float y, float z, int octaves);

// Sharp crests where the noise crosses zero: 1 on a ridge, falling to 0 away from it.
float ridgedNoise(uint32_t seed, float x, float y, float z, int octaves);
