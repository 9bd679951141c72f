// The explosion: a white-hot core, a ragged fireball around it and flying sparks. Every
// face set is black, so the explosion colour shows through, and its transparency is above
// 1, so the list leaves on the renderer's additive blending and the blast glows over the
// scene instead of darkening it.
#include <cmath>

#include "tools/mesh_shapes.h"
#include "tools/models.h"
#include "tools/noise.h"
#include "tools/seeded_random.h"

namespace {
constexpr uint32_t FIREBALL_SEED = 7101;
constexpr uint64_t SHARDS_SEED   = 7102;
constexpr int SHARD_COUNT        = 28;
constexpr float TRANSPARENCY     = 2.0f;

float fireballRadius(Vec3 d) {
    return 0.78f + 0.30f * fractalNoise(FIREBALL_SEED, 2.2f * d.x, 2.2f * d.y, 2.2f * d.z, 3);
}

Vec2 noMapping(Vec3 p) {
    return Vec2{0.5f + 0.5f * p.x, 0.5f + 0.5f * p.y};
}

void makeTranslucent(MeshFaceSet& faceSet) {
    faceSet.hasTransparency = true;
    faceSet.transparency    = TRANSPARENCY;
}
} // namespace

Mesh makeExplosionMesh() {
    Mesh mesh;
    // The core first: the fireball drawn after it adds to it instead of being hidden.
    const int core     = addFaceSet(mesh, 0.0f, 0.0f, 0.0f, "");
    const int fireball = addFaceSet(mesh, 0.0f, 0.0f, 0.0f, "fire.bmp");
    const int shards   = addFaceSet(mesh, 0.0f, 0.0f, 0.0f, "");
    for (MeshFaceSet& fs : mesh.faceSets)
        makeTranslucent(fs);

    addSmoothSphere(mesh, core, 1, 0.32f, nullptr);
    addSmoothSphere(mesh, fireball, 2, 1.0f, fireballRadius);

    SeededRandom random = seededRandom(SHARDS_SEED);
    for (int k = 0; k < SHARD_COUNT; ++k) {
        float d[3];
        nextDirection(random, d);
        const Vec3 out{d[0], d[1], d[2]};
        const Vec3 side =
            normalize(cross(out, std::fabs(out.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0}));
        const Vec3 up     = cross(out, side);
        const float r     = nextRange(random, 0.75f, 1.35f);
        const float w     = nextRange(random, 0.04f, 0.09f);
        const Vec3 tip    = scale(out, r + nextRange(random, 0.15f, 0.3f));
        const Vec3 base   = scale(out, r);
        const Vec3 a      = add(base, scale(side, w));
        const Vec3 b      = add(base, add(scale(side, -0.5f * w), scale(up, 0.87f * w)));
        const Vec3 c      = add(base, add(scale(side, -0.5f * w), scale(up, -0.87f * w)));
        const Vec3 inside = scale(out, r + 0.05f);
        addFlatTriangle(mesh, shards, tip, a, b, noMapping(tip), noMapping(a), noMapping(b),
                        inside);
        addFlatTriangle(mesh, shards, tip, b, c, noMapping(tip), noMapping(b), noMapping(c),
                        inside);
        addFlatTriangle(mesh, shards, tip, c, a, noMapping(tip), noMapping(c), noMapping(a),
                        inside);
        addFlatTriangle(mesh, shards, a, b, c, noMapping(a), noMapping(b), noMapping(c), tip);
    }
    return mesh;
}
