// The ship: a swept-wing fighter 0.7 units long, nose along -z. The hull is black so that
// it wears the slot colour the renderer sets; the canopy, metal and engine glow come after
// it, because a coloured face set leaves its colour current for the ones that follow.
#include <vector>

#include "tools/mesh_shapes.h"
#include "tools/models.h"

namespace {
constexpr int HULL_SIDES = 6;

// Seen from above, nose at the top of the hull picture.
Vec2 hullMapping(Vec3 p) {
    return Vec2{0.5f + p.x / 0.7f, 0.5f - (p.z + 0.05f) / 0.7f};
}

std::vector<Vec3> mirrored(const std::vector<Vec3>& outline) {
    std::vector<Vec3> out;
    for (const Vec3& p : outline)
        out.push_back(Vec3{-p.x, p.y, p.z});
    return out;
}
} // namespace

Mesh makeShipMesh() {
    Mesh mesh;
    const int hull = addFaceSet(mesh, 0.0f, 0.0f, 0.0f, "hull.bmp");
    // Above 1 the list leaves blending as the renderer set it, so a badly damaged ship
    // still pulses.
    mesh.faceSets[hull].hasTransparency = true;
    mesh.faceSets[hull].transparency    = 2.0f;
    const int canopy                    = addFaceSet(mesh, 0.03f, 0.08f, 0.16f, "");
    const int metal                     = addFaceSet(mesh, 0.06f, 0.06f, 0.07f, "");
    const int glow                      = addFaceSet(mesh, 0.30f, 0.12f, 0.03f, "");

    const std::vector<LoftSection> body = {
        {-0.40f, 0.000f, 0.000f, 0.000f },
        {-0.30f, 0.030f, 0.022f, -0.002f},
        {-0.16f, 0.058f, 0.042f, 0.000f },
        {0.02f,  0.074f, 0.052f, 0.004f },
        {0.20f,  0.070f, 0.050f, 0.004f },
        {0.28f,  0.060f, 0.044f, 0.004f },
    };
    addLoft(mesh, hull, body, HULL_SIDES, 0.0f, hullMapping);

    const std::vector<Vec3> rightWing = {
        {0.06f, -0.010f, -0.06f},
        {0.30f, -0.030f, 0.16f },
        {0.32f, -0.030f, 0.24f },
        {0.06f, -0.010f, 0.22f },
    };
    addPlate(mesh, hull, rightWing, Vec3{0, 1, 0}, 0.014f, hullMapping);
    addPlate(mesh, hull, mirrored(rightWing), Vec3{0, 1, 0}, 0.014f, hullMapping);

    const std::vector<Vec3> rightFin = {
        {0.035f, 0.035f, 0.12f},
        {0.080f, 0.140f, 0.22f},
        {0.090f, 0.140f, 0.30f},
        {0.040f, 0.035f, 0.28f},
    };
    addPlate(mesh, hull, rightFin, Vec3{1.0f, -0.35f, 0}, 0.010f, hullMapping);
    addPlate(mesh, hull, mirrored(rightFin), Vec3{-1.0f, -0.35f, 0}, 0.010f, hullMapping);

    const std::vector<LoftSection> bubble = {
        {-0.22f, 0.000f, 0.000f, 0.030f},
        {-0.15f, 0.026f, 0.025f, 0.040f},
        {-0.05f, 0.032f, 0.032f, 0.046f},
        {0.04f,  0.024f, 0.024f, 0.046f},
        {0.09f,  0.000f, 0.000f, 0.044f},
    };
    addLoft(mesh, canopy, bubble, 8, 0.0f, hullMapping);

    // Engine nozzle behind the hull, its open end glowing.
    const std::vector<LoftSection> nozzle = {
        {0.28f, 0.060f, 0.044f, 0.004f},
        {0.31f, 0.050f, 0.036f, 0.004f},
    };
    addLoft(mesh, metal, nozzle, HULL_SIDES, 0.0f, hullMapping);
    addLoftCap(mesh, glow, nozzle.back(), HULL_SIDES, 0.0f, Vec3{0, 0.004f, 0.0f}, hullMapping);

    // A cannon under each wing tip.
    for (float x : {-0.31f, 0.31f}) {
        const std::vector<LoftSection> gun = {
            {0.02f, 0.000f, 0.000f, -0.045f, x},
            {0.06f, 0.012f, 0.012f, -0.045f, x},
            {0.25f, 0.012f, 0.012f, -0.045f, x},
        };
        addLoft(mesh, metal, gun, 6, 0.0f, hullMapping);
        addLoftCap(mesh, metal, gun.back(), 6, 0.0f, Vec3{x, -0.045f, 0.0f}, hullMapping);
    }
    return mesh;
}
