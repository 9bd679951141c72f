// The sky sphere: a cube pushed out to a sphere of radius 50, one textured face set per
// cube face. It is drawn unlit, so its white colour shows the pictures as they are.
#include <string>

#include "tools/mesh_shapes.h"
#include "tools/models.h"

namespace {
constexpr int SKY_GRID          = 8; // quads along each edge of a cube face
constexpr float SKY_FACE_TEXELS = SKY_TEXTURE_SIDE - 2 * SKY_TEXTURE_APRON; // from -1 to 1

struct FaceAxes {
    Vec3 normal, u, v;
};

constexpr FaceAxes FACE_AXES[SKY_FACES] = {
    {{1, 0, 0},  {0, 0, -1}, {0, 1, 0} },
    {{-1, 0, 0}, {0, 0, 1},  {0, 1, 0} },
    {{0, 1, 0},  {1, 0, 0},  {0, 0, 1} },
    {{0, -1, 0}, {1, 0, 0},  {0, 0, -1}},
    {{0, 0, 1},  {1, 0, 0},  {0, 1, 0} },
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0} },
};
} // namespace

Vec3 skyFacePoint(int face, float u, float v) {
    const FaceAxes& f = FACE_AXES[face];
    return add(f.normal, add(scale(f.u, u), scale(f.v, v)));
}

float skyTexCoord(float c) {
    return (SKY_TEXTURE_APRON + 0.5f * (c + 1.0f) * SKY_FACE_TEXELS) / SKY_TEXTURE_SIDE;
}

float skyFaceCoord(float t) {
    return 2.0f * (t - SKY_TEXTURE_APRON) / SKY_FACE_TEXELS - 1.0f;
}

Mesh makeSkyMesh() {
    Mesh mesh;
    for (int face = 0; face < SKY_FACES; ++face) {
        const int fs = addFaceSet(mesh, 1.0f, 1.0f, 1.0f, "sky" + std::to_string(face) + ".bmp");
        auto corner  = [face](int i, int j) {
            const float u = -1.0f + 2.0f * i / SKY_GRID, v = -1.0f + 2.0f * j / SKY_GRID;
            const Vec3 d = normalize(skyFacePoint(face, u, v));
            return Corner{
                scale(d, SKY_RADIUS), scale(d, -1.0f), {skyTexCoord(u), skyTexCoord(v)}
            };
        };
        for (int i = 0; i < SKY_GRID; ++i) {
            for (int j = 0; j < SKY_GRID; ++j) {
                // Wound counter-clockwise seen from inside, where the viewer is.
                const Corner a = corner(i, j), b = corner(i + 1, j);
                const Corner c = corner(i + 1, j + 1), d = corner(i, j + 1);
                const Vec3 n = cross(sub(b.point, a.point), sub(c.point, a.point));
                if (dot(n, a.point) < 0.0f) {
                    addTriangle(mesh, fs, a, b, c);
                    addTriangle(mesh, fs, a, c, d);
                } else {
                    addTriangle(mesh, fs, a, c, b);
                    addTriangle(mesh, fs, a, d, c);
                }
            }
        }
    }
    return mesh;
}
