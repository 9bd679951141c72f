// The pack is the same on every run, the build's game folder holds exactly it, and the
// model text keeps to the lines the game's reader takes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/tools/generated_files.h"
#include "tools/asset_pack.h"
#include "tools/models.h"
#include "tools/universe_file.h"

namespace {
std::vector<uint8_t> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST(AssetPack, SameBytesEveryRunAndInTheGameFolder) {
    const std::vector<AssetFile> first  = makeAssetPack();
    const std::vector<AssetFile> second = makeAssetPack();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, second[i].name);
        EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].name;
        EXPECT_TRUE(readWhole(gameDir() + "/" + first[i].name) == first[i].bytes)
            << first[i].name << " in the game folder is not what the generator writes";
    }
}

TEST(AssetPack, HoldsEveryFileTheGameOpens) {
    std::vector<std::string> names;
    for (const AssetFile& f : makeAssetPack())
        names.push_back(f.name);
    for (const char* needed : {"ship.wrl", "rocket.wrl", "explode.wrl", "sky.wrl", "stone0.wrl",
                               "stone1.wrl", "stone2.wrl", "numbers.bmp", "text.bmp", "cross.bmp",
                               "dead.bmp", "font.bmp", "universe.uni", "shoot.wav", "explode.wav"})
        EXPECT_NE(std::find(names.begin(), names.end(), needed), names.end()) << needed;
}

// The reader drops a line whose last '#' is past column 0 and reads lines in pieces of 254
// characters, so no model line may do either; only the header starts with '#'.
TEST(AssetPack, ModelLinesAreShortAndCommentFree) {
    for (const Mesh& mesh : {makeShipMesh(), makeRocketMesh(), makeExplosionMesh(), makeSkyMesh(),
                             makePlanetMesh(PLANET_DETAIL[0])}) {
        std::istringstream text(vrmlText(mesh));
        std::string line;
        int number = 0;
        while (std::getline(text, line)) {
            ++number;
            EXPECT_LT(line.size(), 254u) << number;
            const size_t hash = line.rfind('#');
            EXPECT_TRUE(hash == std::string::npos || (hash == 0 && number == 1))
                << number << ": " << line;
        }
    }
}

TEST(AssetPack, PlanetMeshesHaveTheThreeDetailLevels) {
    EXPECT_EQ(triangleCount(makePlanetMesh(PLANET_DETAIL[0]).faceSets[0]), 320);
    EXPECT_EQ(triangleCount(makePlanetMesh(PLANET_DETAIL[1]).faceSets[0]), 1280);
    EXPECT_EQ(triangleCount(makePlanetMesh(PLANET_DETAIL[2]).faceSets[0]), 5120);
}

// Each triangle of a planet winds counter-clockwise seen from outside, as its file says,
// so the renderer culls the far side and not the near one.
TEST(AssetPack, PlanetTrianglesFaceOutward) {
    const Mesh mesh       = makePlanetMesh(PLANET_DETAIL[2]);
    const MeshFaceSet& fs = mesh.faceSets[0];
    for (size_t i = 0; i < fs.coordIndex.size(); i += 3) {
        const Vec3 a = mesh.points[fs.coordIndex[i]], b = mesh.points[fs.coordIndex[i + 1]];
        const Vec3 c = mesh.points[fs.coordIndex[i + 2]];
        EXPECT_GT(dot(cross(sub(b, a), sub(c, a)), a), 0.0f) << "triangle " << i / 3;
    }
}

TEST(AssetPack, UniverseTextNamesEveryPlanet) {
    const std::string text = universeText();
    for (const PlanetPlacement& p : UNIVERSE)
        EXPECT_NE(text.find(std::string(" ") + p.name + "\n"), std::string::npos) << p.name;
}
