// Triangle meshes with shared point, normal and texture-coordinate lists, and the VRML 1.0
// text the game's model reader takes.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

struct Vec3 {
    float x, y, z;
};

struct Vec2 {
    float s, t;
};

// One Material + Texture2 + IndexedFaceSet group. A black colour lets the caller's current
// colour through; the texture "" means untextured and "-" the texture bound by the caller.
struct MeshFaceSet {
    float diffuse[3]     = {0, 0, 0};
    std::string texture  = "";
    bool hasTransparency = false;
    float transparency   = 1.0f;
    std::vector<int> coordIndex; // three per triangle, as are the two below
    std::vector<int> normalIndex;
    std::vector<int> texCoordIndex;
};

struct Mesh {
    bool counterClockwise = true; // front faces wind counter-clockwise seen from outside
    std::vector<Vec3> points;
    std::vector<Vec3> normals;
    std::vector<Vec2> texCoords;
    std::vector<MeshFaceSet> faceSets;
    // Lookups that merge entries equal at the precision the file is written with.
    std::map<std::tuple<long, long, long>, int> pointIndex, normalIndex;
    std::map<std::tuple<long, long, long>, int> texCoordIndex;
};

struct Corner {
    Vec3 point;
    Vec3 normal;
    Vec2 texCoord;
};

Vec3 sub(Vec3 a, Vec3 b);
Vec3 add(Vec3 a, Vec3 b);
Vec3 scale(Vec3 a, float k);
Vec3 cross(Vec3 a, Vec3 b);
float dot(Vec3 a, Vec3 b);
Vec3 normalize(Vec3 a);

int addFaceSet(Mesh& mesh, float r, float g, float b, const std::string& texture);
int addPoint(Mesh& mesh, Vec3 p);
int addNormal(Mesh& mesh, Vec3 n);
int addTexCoord(Mesh& mesh, Vec2 t);
void addTriangle(Mesh& mesh, int faceSet, const Corner& a, const Corner& b, const Corner& c);

// A flat-shaded triangle turned so that its front faces away from `inside`.
void addFlatTriangle(Mesh& mesh, int faceSet, Vec3 a, Vec3 b, Vec3 c, Vec2 ta, Vec2 tb, Vec2 tc,
                     Vec3 inside);

int triangleCount(const MeshFaceSet& faceSet);

// The file text: one point or one triangle per line, each list closed on its last line.
std::string vrmlText(const Mesh& mesh);
