// Mesh building and the VRML writer. The reader finds its keywords anywhere in a line, so
// the writer puts every node's data on the lines after its keyword and writes no comments.
#include "tools/mesh.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr float FILE_PRECISION = 100000.0f; // numbers are written with five decimals

long quantize(float v) {
    return std::lround(v * FILE_PRECISION);
}

std::string number(float v) {
    const long q = quantize(v);
    char text[32];
    std::snprintf(text, sizeof text, "%s%ld.%05ld", q < 0 ? "-" : "", std::labs(q) / 100000,
                  std::labs(q) % 100000);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

int lookUp(std::map<std::tuple<long, long, long>, int>& index, std::tuple<long, long, long> key,
           int next) {
    auto found = index.find(key);
    if (found != index.end()) return found->second;
    index.emplace(key, next);
    return -1;
}

void writeIndexList(std::string& out, const char* keyword, const std::vector<int>& indices) {
    out += "      ";
    out += keyword;
    out += " [\n";
    for (size_t i = 0; i < indices.size(); i += 3) {
        const bool last = i + 3 == indices.size();
        char line[96];
        std::snprintf(line, sizeof line, "        %d, %d, %d, -1%s\n", indices[i], indices[i + 1],
                      indices[i + 2], last ? "]" : ",");
        out += line;
    }
}
} // namespace

Vec3 sub(Vec3 a, Vec3 b) {
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 add(Vec3 a, Vec3 b) {
    return Vec3{a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 scale(Vec3 a, float k) {
    return Vec3{a.x * k, a.y * k, a.z * k};
}
Vec3 cross(Vec3 a, Vec3 b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 normalize(Vec3 a) {
    const float length = std::sqrt(dot(a, a));
    return length > 0.0f ? scale(a, 1.0f / length) : Vec3{0, 1, 0};
}

int addFaceSet(Mesh& mesh, float r, float g, float b, const std::string& texture) {
    MeshFaceSet faceSet;
    faceSet.diffuse[0] = r;
    faceSet.diffuse[1] = g;
    faceSet.diffuse[2] = b;
    faceSet.texture    = texture;
    mesh.faceSets.push_back(faceSet);
    return static_cast<int>(mesh.faceSets.size()) - 1;
}

int addPoint(Mesh& mesh, Vec3 p) {
    const int next  = static_cast<int>(mesh.points.size());
    const int found = lookUp(mesh.pointIndex, {quantize(p.x), quantize(p.y), quantize(p.z)}, next);
    if (found >= 0) return found;
    mesh.points.push_back(p);
    return next;
}

int addNormal(Mesh& mesh, Vec3 n) {
    n               = normalize(n);
    const int next  = static_cast<int>(mesh.normals.size());
    const int found = lookUp(mesh.normalIndex, {quantize(n.x), quantize(n.y), quantize(n.z)}, next);
    if (found >= 0) return found;
    mesh.normals.push_back(n);
    return next;
}

int addTexCoord(Mesh& mesh, Vec2 t) {
    const int next  = static_cast<int>(mesh.texCoords.size());
    const int found = lookUp(mesh.texCoordIndex, {quantize(t.s), quantize(t.t), 0}, next);
    if (found >= 0) return found;
    mesh.texCoords.push_back(t);
    return next;
}

void addTriangle(Mesh& mesh, int faceSet, const Corner& a, const Corner& b, const Corner& c) {
    MeshFaceSet& fs = mesh.faceSets[faceSet];
    for (const Corner* corner : {&a, &b, &c}) {
        fs.coordIndex.push_back(addPoint(mesh, corner->point));
        fs.normalIndex.push_back(addNormal(mesh, corner->normal));
        fs.texCoordIndex.push_back(addTexCoord(mesh, corner->texCoord));
    }
}

void addFlatTriangle(Mesh& mesh, int faceSet, Vec3 a, Vec3 b, Vec3 c, Vec2 ta, Vec2 tb, Vec2 tc,
                     Vec3 inside) {
    Vec3 n              = cross(sub(b, a), sub(c, a));
    const Vec3 centroid = scale(add(add(a, b), c), 1.0f / 3.0f);
    const bool inverted = dot(n, sub(centroid, inside)) < 0.0f;
    if (inverted) n = scale(n, -1.0f);
    if (dot(n, n) < 1e-14f) return; // degenerate: nothing to see
    if (inverted)
        addTriangle(mesh, faceSet, {a, n, ta}, {c, n, tc}, {b, n, tb});
    else
        addTriangle(mesh, faceSet, {a, n, ta}, {b, n, tb}, {c, n, tc});
}

int triangleCount(const MeshFaceSet& faceSet) {
    return static_cast<int>(faceSet.coordIndex.size() / 3);
}

std::string vrmlText(const Mesh& mesh) {
    std::string out = "#VRML V1.0 ascii\n\nSeparator {\n";
    out += mesh.counterClockwise ? "  ShapeHints { vertexOrdering COUNTERCLOCKWISE }\n"
                                 : "  ShapeHints { vertexOrdering CLOCKWISE }\n";
    out += "  Coordinate3 {\n    point [\n";
    for (size_t i = 0; i < mesh.points.size(); ++i) {
        const Vec3& p = mesh.points[i];
        out += "      " + number(p.x) + " " + number(p.y) + " " + number(p.z);
        out += i + 1 == mesh.points.size() ? " ]\n" : ",\n";
    }
    out += "  }\n  Normal {\n    vector [\n";
    for (size_t i = 0; i < mesh.normals.size(); ++i) {
        const Vec3& n = mesh.normals[i];
        out += "      " + number(n.x) + " " + number(n.y) + " " + number(n.z);
        out += i + 1 == mesh.normals.size() ? " ]\n" : ",\n";
    }
    out += "  }\n  TextureCoordinate2 {\n    point [\n";
    for (size_t i = 0; i < mesh.texCoords.size(); ++i) {
        const Vec2& t = mesh.texCoords[i];
        out += "      " + number(t.s) + " " + number(t.t);
        out += i + 1 == mesh.texCoords.size() ? " ]\n" : ",\n";
    }
    out += "  }\n";
    for (const MeshFaceSet& fs : mesh.faceSets) {
        out += "  Separator {\n    Material {\n";
        out += "      diffuseColor " + number(fs.diffuse[0]) + " " + number(fs.diffuse[1]) + " " +
               number(fs.diffuse[2]) + "\n";
        if (fs.hasTransparency) out += "      transparency " + number(fs.transparency) + "\n";
        out += "    }\n    Texture2 {\n";
        out += "      filename \"" + fs.texture + "\"\n";
        out += "    }\n    IndexedFaceSet {\n";
        writeIndexList(out, "coordIndex", fs.coordIndex);
        writeIndexList(out, "normalIndex", fs.normalIndex);
        writeIndexList(out, "textureCoordIndex", fs.texCoordIndex);
        out += "    }\n  }\n";
    }
    out += "}\n";
    return out;
}
