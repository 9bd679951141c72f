// The rocket: a slender finned body one unit long along z (the game scales it to 0.1). The
// body is black so that it flies in its owner's slot colour; its exhaust glows after it.
#include <vector>

#include "tools/mesh_shapes.h"
#include "tools/models.h"

namespace {
constexpr int BODY_SIDES = 8;

Vec2 bodyMapping(Vec3 p) {
    return Vec2{0.5f + p.x, 0.5f - p.z};
}

std::vector<Vec3> fin(float dx, float dy, float reach) {
    // Swept back from the body to the tail; (dx, dy) is the direction it points.
    const float root = 0.065f;
    return {
        {dx * root,  dy * root,  0.18f},
        {dx * reach, dy * reach, 0.36f},
        {dx * reach, dy * reach, 0.46f},
        {dx * root,  dy * root,  0.42f},
    };
}
} // namespace

Mesh makeRocketMesh() {
    Mesh mesh;
    const int body = addFaceSet(mesh, 0.0f, 0.0f, 0.0f, "");
    const int glow = addFaceSet(mesh, 1.0f, 0.75f, 0.35f, "");

    const std::vector<LoftSection> shape = {
        {-0.50f, 0.000f, 0.000f, 0.0f},
        {-0.36f, 0.050f, 0.050f, 0.0f},
        {-0.25f, 0.065f, 0.065f, 0.0f},
        {0.38f,  0.065f, 0.065f, 0.0f},
        {0.45f,  0.055f, 0.055f, 0.0f},
    };
    addLoft(mesh, body, shape, BODY_SIDES, 0.0f, bodyMapping);
    // The upright fins reach a little further than the level ones, so the model's height
    // beats its width and its length is what the loader scales to 0.1.
    addPlate(mesh, body, fin(1, 0, 0.16f), Vec3{0, 1, 0}, 0.012f, bodyMapping);
    addPlate(mesh, body, fin(-1, 0, 0.16f), Vec3{0, 1, 0}, 0.012f, bodyMapping);
    addPlate(mesh, body, fin(0, 1, 0.17f), Vec3{1, 0, 0}, 0.012f, bodyMapping);
    addPlate(mesh, body, fin(0, -1, 0.17f), Vec3{1, 0, 0}, 0.012f, bodyMapping);
    addLoftCap(mesh, glow, shape.back(), BODY_SIDES, 0.0f, Vec3{0, 0, 0}, bodyMapping);
    return mesh;
}
