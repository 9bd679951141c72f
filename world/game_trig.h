// Sine and cosine of our own, from + - * / and floor alone, which IEEE arithmetic rounds alike
// everywhere: the system libraries' sinf and cosf may differ in the last bit between Linux and
// Windows, and a replay must fly every ship and rocket the same on both.
#pragma once

float gameSin(float radians);
float gameCos(float radians);
