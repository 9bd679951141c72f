// Start-up loading of a small game folder: list numbers, overlay names, universe.
#include <cstdio>

#include "assets/asset_loading.h"
#include "tests/assets/gl_fixture.h"
#include "tests/assets/test_files.h"
#include "world/world_state.h"

namespace {
const std::vector<std::string> POINTS = {"0 0 0", "1 0 0", "0 1 0"};

class AssetLoading : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        resetWorld();
        for (const char* m : {"ship", "rocket", "explode", "sky", "stone0", "stone1", "stone2"}) {
            dir.write(std::string(m) + ".wrl", makeModelText(POINTS, {TestFaceSet{}}));
        }
        for (const char* p : {"numbers", "text", "cross", "dead", "rock", "ice"}) {
            dir.write(std::string(p) + ".bmp", makeBmp(8, 8, [](int, int) {
                          return Rgb{1, 2, 3};
                      }));
        }
        dir.write("universe.uni", "TEXTURE rock\nTEXTURE ice\nPLANET 0 0 -10 2 1 1 rocky\n");
    }
    TempDir dir;
    char problem[ASSET_PROBLEM_SIZE] = {};
};

Model withExtents(float x, float y, float z) {
    Model m{};
    m.sizeX = x;
    m.sizeY = y;
    m.sizeZ = z;
    return m;
}
} // namespace

TEST_F(AssetLoading, ListsOverlayNamesAndUniverse) {
    {
        WorkingDir in(dir.dir());
        ASSERT_TRUE(loadAssets(problem));
    }
    for (unsigned list = LIST_SHIP; list <= LIST_STONE2; ++list)
        EXPECT_TRUE(glIsList(list)) << list;
    EXPECT_EQ(numbersTexture, 1);
    EXPECT_EQ(textTexture, 2);
    EXPECT_EQ(crossTexture, 3);
    EXPECT_EQ(deadTexture, 4);
    EXPECT_EQ(fontTexture, 5); // the folder has no font picture: the placeholder stands in
    EXPECT_EQ(textureTable[fontTexture].width, PLACEHOLDER_SIDE);
    EXPECT_EQ(planetTextureBase, 6);
    EXPECT_EQ(nextTextureName, 8);
    ASSERT_EQ(planetCount, 1);
    EXPECT_FLOAT_EQ(planets.radius[0], 2.0f);
}

TEST_F(AssetLoading, ModelTexturesComeFirst) {
    TestFaceSet hull;
    hull.textureFile = "rock.bmp";
    dir.write("ship.wrl", makeModelText(POINTS, {hull}));
    {
        WorkingDir in(dir.dir());
        ASSERT_TRUE(loadAssets(problem));
    }
    EXPECT_EQ(numbersTexture, 2);
    EXPECT_EQ(deadTexture, 5);
    EXPECT_EQ(planetTextureBase, 7);
}

// The first file that cannot be read is named, with the reason.
TEST_F(AssetLoading, AMissingModelOrUniverseIsNamed) {
    std::remove(dir.path("universe.uni").c_str());
    {
        WorkingDir in(dir.dir());
        EXPECT_FALSE(loadAssets(problem));
    }
    EXPECT_STREQ(problem, "cannot read universe.uni: No such file or directory");
    std::remove(dir.path("sky.wrl").c_str());
    WorkingDir in(dir.dir());
    EXPECT_FALSE(loadAssets(problem));
    EXPECT_STREQ(problem, "cannot read sky.wrl: No such file or directory");
}

TEST(RocketScaling, ReferenceSizeRule) {
    EXPECT_FLOAT_EQ(rocketReferenceSize(withExtents(0.2f, 0.1f, 1.0f)), 0.2f); // not the largest
    EXPECT_FLOAT_EQ(rocketReferenceSize(withExtents(0.1f, 0.2f, 1.0f)), 1.0f);
    EXPECT_FLOAT_EQ(rocketReferenceSize(withExtents(0.1f, 0.3f, 0.2f)), 0.3f);
    EXPECT_EQ(rocketReferenceSize(withExtents(0, 0, 0)), 0.0f);
}
