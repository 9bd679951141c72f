// Icospheres, lofts and plates, every triangle wound counter-clockwise seen from outside.
#include "tools/mesh_shapes.h"

#include <cmath>

namespace {
constexpr float PI = 3.14159265f;

Vec3 midpoint(Vec3 a, Vec3 b) {
    return normalize(scale(add(a, b), 0.5f));
}

float longitude(Vec3 p) {
    return 0.5f + std::atan2(p.x, p.z) / (2.0f * PI);
}
float latitude(Vec3 p) {
    return 0.5f + std::asin(std::fmax(-1.0f, std::fmin(1.0f, p.y))) / PI;
}
bool isPole(Vec3 p) {
    return std::fabs(p.x) < 1e-6f && std::fabs(p.z) < 1e-6f;
}

Vec3 ringPoint(const LoftSection& s, int k, int sides, float turn) {
    const float a = turn + 2.0f * PI * static_cast<float>(k) / static_cast<float>(sides);
    return Vec3{s.centreX + s.halfWidth * std::cos(a), s.centreY + s.halfHeight * std::sin(a), s.z};
}

bool isPoint(const LoftSection& s) {
    return s.halfWidth == 0.0f && s.halfHeight == 0.0f;
}
} // namespace

std::vector<Triangle3> icosphereTriangles(int subdivisions) {
    // Poles on the y axis, two rings of five between them.
    std::vector<Vec3> v;
    v.push_back({0, 1, 0});
    const float ringY = 1.0f / std::sqrt(5.0f), ringR = 2.0f / std::sqrt(5.0f);
    for (int k = 0; k < 5; ++k) {
        const float a = 2.0f * PI * k / 5.0f;
        v.push_back({ringR * std::sin(a), ringY, ringR * std::cos(a)});
    }
    for (int k = 0; k < 5; ++k) {
        const float a = 2.0f * PI * (k + 0.5f) / 5.0f;
        v.push_back({ringR * std::sin(a), -ringY, ringR * std::cos(a)});
    }
    v.push_back({0, -1, 0});
    std::vector<Triangle3> triangles;
    for (int k = 0; k < 5; ++k) {
        const int u0 = 1 + k, u1 = 1 + (k + 1) % 5;
        const int l0 = 6 + k, l1 = 6 + (k + 1) % 5;
        triangles.push_back({
            {v[0], v[u0], v[u1]}
        });
        triangles.push_back({
            {v[u0], v[l0], v[u1]}
        });
        triangles.push_back({
            {v[u1], v[l0], v[l1]}
        });
        triangles.push_back({
            {v[l0], v[11], v[l1]}
        });
    }
    for (int level = 0; level < subdivisions; ++level) {
        std::vector<Triangle3> finer;
        for (const Triangle3& t : triangles) {
            const Vec3 a = t.corner[0], b = t.corner[1], c = t.corner[2];
            const Vec3 ab = midpoint(a, b), bc = midpoint(b, c), ca = midpoint(c, a);
            finer.push_back({
                {a, ab, ca}
            });
            finer.push_back({
                {ab, b, bc}
            });
            finer.push_back({
                {ca, bc, c}
            });
            finer.push_back({
                {ab, bc, ca}
            });
        }
        triangles.swap(finer);
    }
    // Make sure every triangle faces outward whatever the ring arithmetic above did.
    for (Triangle3& t : triangles) {
        const Vec3 n = cross(sub(t.corner[1], t.corner[0]), sub(t.corner[2], t.corner[0]));
        if (dot(n, t.corner[0]) < 0.0f) std::swap(t.corner[1], t.corner[2]);
    }
    return triangles;
}

void addSmoothSphere(Mesh& mesh, int faceSet, int subdivisions, float size, RadiusFunction radius) {
    for (const Triangle3& t : icosphereTriangles(subdivisions)) {
        float s[3];
        for (int c = 0; c < 3; ++c)
            s[c] = longitude(t.corner[c]);
        // A triangle across the back seam gets its western corners moved a turn east, so
        // the texture (which repeats) runs on without a jump.
        float lo = 1.0f, hi = 0.0f;
        for (int c = 0; c < 3; ++c) {
            if (isPole(t.corner[c])) continue;
            lo = std::fmin(lo, s[c]);
            hi = std::fmax(hi, s[c]);
        }
        if (hi - lo > 0.5f)
            for (float& v : s)
                if (v < 0.5f) v += 1.0f;
        // A pole takes the middle longitude of its two neighbours.
        for (int c = 0; c < 3; ++c)
            if (isPole(t.corner[c])) s[c] = 0.5f * (s[(c + 1) % 3] + s[(c + 2) % 3]);
        Corner corners[3];
        for (int c = 0; c < 3; ++c) {
            const float r = radius ? size * radius(t.corner[c]) : size;
            corners[c]    = {
                   scale(t.corner[c], r), t.corner[c], {s[c], latitude(t.corner[c])}
            };
        }
        addTriangle(mesh, faceSet, corners[0], corners[1], corners[2]);
    }
}

void addLoft(Mesh& mesh, int faceSet, const std::vector<LoftSection>& sections, int sides,
             float turn, TextureMapping mapping) {
    for (size_t i = 0; i + 1 < sections.size(); ++i) {
        const LoftSection& s0 = sections[i];
        const LoftSection& s1 = sections[i + 1];
        const Vec3 inside{0.5f * (s0.centreX + s1.centreX), 0.5f * (s0.centreY + s1.centreY),
                          0.5f * (s0.z + s1.z)};
        for (int k = 0; k < sides; ++k) {
            const Vec3 a = ringPoint(s0, k, sides, turn), b = ringPoint(s0, k + 1, sides, turn);
            const Vec3 c = ringPoint(s1, k, sides, turn), d = ringPoint(s1, k + 1, sides, turn);
            if (!isPoint(s0))
                addFlatTriangle(mesh, faceSet, a, b, c, mapping(a), mapping(b), mapping(c), inside);
            if (!isPoint(s1))
                addFlatTriangle(mesh, faceSet, b, d, c, mapping(b), mapping(d), mapping(c), inside);
        }
    }
}

void addLoftCap(Mesh& mesh, int faceSet, const LoftSection& section, int sides, float turn,
                Vec3 inside, TextureMapping mapping) {
    const Vec3 centre{section.centreX, section.centreY, section.z};
    for (int k = 0; k < sides; ++k) {
        const Vec3 a = ringPoint(section, k, sides, turn);
        const Vec3 b = ringPoint(section, k + 1, sides, turn);
        addFlatTriangle(mesh, faceSet, centre, a, b, mapping(centre), mapping(a), mapping(b),
                        inside);
    }
}

void addPlate(Mesh& mesh, int faceSet, const std::vector<Vec3>& outline, Vec3 across,
              float thickness, TextureMapping mapping) {
    const Vec3 half = scale(normalize(across), 0.5f * thickness);
    const size_t n  = outline.size();
    Vec3 centre{0, 0, 0};
    for (const Vec3& p : outline)
        centre = add(centre, scale(p, 1.0f / static_cast<float>(n)));
    std::vector<Vec3> top, bottom;
    for (const Vec3& p : outline) {
        top.push_back(add(p, half));
        bottom.push_back(sub(p, half));
    }
    for (size_t k = 1; k + 1 < n; ++k) {
        addFlatTriangle(mesh, faceSet, top[0], top[k], top[k + 1], mapping(top[0]), mapping(top[k]),
                        mapping(top[k + 1]), centre);
        addFlatTriangle(mesh, faceSet, bottom[0], bottom[k], bottom[k + 1], mapping(bottom[0]),
                        mapping(bottom[k]), mapping(bottom[k + 1]), centre);
    }
    for (size_t k = 0; k < n; ++k) {
        const size_t j = (k + 1) % n;
        addFlatTriangle(mesh, faceSet, top[k], bottom[k], top[j], mapping(top[k]),
                        mapping(bottom[k]), mapping(top[j]), centre);
        addFlatTriangle(mesh, faceSet, top[j], bottom[k], bottom[j], mapping(top[j]),
                        mapping(bottom[k]), mapping(bottom[j]), centre);
    }
}
