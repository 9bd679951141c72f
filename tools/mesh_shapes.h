// Shapes shared by the models: spheres, lofted bodies and flat plates.
#pragma once

#include <vector>

#include "tools/mesh.h"

struct Triangle3 {
    Vec3 corner[3];
};

// A unit icosphere with a vertex at each pole: 20 * 4^subdivisions triangles, each wound
// counter-clockwise seen from outside.
std::vector<Triangle3> icosphereTriangles(int subdivisions);

// Radius of a sphere-like body in a given unit direction.
using RadiusFunction = float (*)(Vec3 direction);

// The icosphere with smooth normals and longitude/latitude texture coordinates (s grows
// eastward seen from outside, t from the south pole at 0 to the north pole at 1), its
// points pushed out to `radius` of their direction times `size`.
void addSmoothSphere(Mesh& mesh, int faceSet, int subdivisions, float size, RadiusFunction radius);

using TextureMapping = Vec2 (*)(Vec3 point);

// One cross-section of a body that runs along z: the profile's unit outline scaled by the
// half width and half height, centred at (centreX, centreY, z).
struct LoftSection {
    float z, halfWidth, halfHeight, centreY;
    float centreX = 0.0f;
};

// Flat-shaded skin between consecutive sections, with an outline of `sides` points
// (rotated by `turn` radians); a section of zero size closes the body to a point. The two
// ends that are not points are left open for the caller's caps.
void addLoft(Mesh& mesh, int faceSet, const std::vector<LoftSection>& sections, int sides,
             float turn, TextureMapping mapping);

// The closing polygon of the loft at one section, as a fan facing away from `inside`.
void addLoftCap(Mesh& mesh, int faceSet, const LoftSection& section, int sides, float turn,
                Vec3 inside, TextureMapping mapping);

// A thin plate: the outline (a convex polygon in order) moved by `thickness` / 2 both ways
// along `across`, with its rim. Used for wings and fins.
void addPlate(Mesh& mesh, int faceSet, const std::vector<Vec3>& outline, Vec3 across,
              float thickness, TextureMapping mapping);
