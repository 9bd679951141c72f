// What the end-to-end tests know of the game's space and of its screen: the planets of the
// game folder's universe file, view directions and aiming, lines of fire, ship colours in
// a screenshot and the score digit in the overlay.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/screen.h"
#include "tests/e2e/wire_peer.h"

struct Sphere {
    Vec3 centre;
    float radius;
};

std::vector<Sphere> readPlanets(const std::string& universeFile);

Vec3 add(Vec3 a, Vec3 b);
Vec3 sub(Vec3 a, Vec3 b);
Vec3 scale(Vec3 a, float f);
float length(Vec3 a);
float dot(Vec3 a, Vec3 b);
// Where a ship looks: along -z at yaw 0, +x at yaw 90, downwards for a positive pitch.
Vec3 viewDirection(float yaw, float pitch);
void aimAngles(Vec3 from, Vec3 to, float* yaw, float* pitch);
float yawError(float want, float have); // -180 to 180 degrees
// False when the segment passes within `margin` of a sphere's surface.
bool clearLine(Vec3 from, Vec3 to, const std::vector<Sphere>& obstacles, float margin);
bool insideAny(Vec3 p, const std::vector<Sphere>& spheres, float margin);

// Slot colours as the game draws healthy ships: each channel fully on or off, so a lit hull
// keeps its off channels at zero, which sky, planets and overlay never do.
struct Box {
    int x0, y0, x1, y1; // inclusive
};
int shipPixels(const Picture& pic, int slot, Box box);
Box centreBox(const Picture& pic, int half);

// The score's first digit compared with the health's "1" and "0" of the same frame, which
// needs the local health to be 100: '1', '0', or '?' when the background hides them.
char scoreDigit(const Picture& pic);
