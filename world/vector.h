// The few sums over points and turns that the rules, the bot, the drawing and the sound all
// make, written once so that every machine computes them in the same float order.
#pragma once

// How far apart a and b are: the root of dx^2 + dy^2 + dz^2, summed in that order.
float distance(const float a[3], const float b[3]);

// The signed turn in degrees from the direction from to the direction to, -180 to 180.
float turnBetween(float from, float to);

// False when any coordinate is a NaN or an infinity, as a peer may send.
bool isFinitePoint(const float p[3]);

// The products, length and direction the sound's placement needs.
void cross(const float a[3], const float b[3], float out[3]);
float dot(const float a[3], const float b[3]);
float lengthSquared(const float v[3]);
// Scales v to unit length; false (v untouched) when it has no direction.
bool normalise(float v[3]);
