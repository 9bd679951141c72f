// The universe file: texture lines, planet lines, and the lines that are ignored.
#include <gtest/gtest.h>

#include <cerrno>

#include "tests/assets/test_files.h"
#include "world/universe.h"
#include "world/world_state.h"

namespace {
class Universe : public ::testing::Test {
  protected:
    void SetUp() override { resetWorld(); }
    void load(const std::string& text) {
        ASSERT_TRUE(loadUniverse(dir.write("universe.uni", text).c_str(), &textures));
    }
    std::vector<std::string> names() const {
        return std::vector<std::string>(textures.fileName, textures.fileName + textures.count);
    }
    TempDir dir;
    UniverseTextures textures{};
};
} // namespace

TEST_F(Universe, TextureLinesNamePicturesInOrder) {
    load("TEXTURE rock\nPLANET 0 -5 -40 8 2 1.5 rock\nTEXTURE ice extra words\nTEXTUREsand\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"rock.bmp", "ice.bmp", "sand.bmp"}));
    ASSERT_EQ(planetCount, 1);
    EXPECT_FLOAT_EQ(planets.pos[0][0], 0.0f);
    EXPECT_FLOAT_EQ(planets.pos[0][1], -5.0f);
    EXPECT_FLOAT_EQ(planets.pos[0][2], -40.0f);
    EXPECT_FLOAT_EQ(planets.radius[0], 8.0f);
    EXPECT_EQ(planets.texture[0], 2);
    EXPECT_FLOAT_EQ(planets.spin[0], 1.5f);
}

TEST_F(Universe, WithoutTextureLinesNoPictureIsNamed) {
    load("PLANET 1 2 3 4 5 6\n");
    EXPECT_EQ(planetCount, 1);
    EXPECT_EQ(textures.count, 0);
}

TEST_F(Universe, ItemsThatCannotBeReadStayZero) {
    load("PLANET 1 2 3\nPLANET 1e1 +2.5 -.5 7 x 3\nPLANET 4 5 6 7 8 9.5name\n");
    ASSERT_EQ(planetCount, 3);
    EXPECT_FLOAT_EQ(planets.pos[0][2], 3.0f);
    EXPECT_EQ(planets.radius[0], 0.0f);
    EXPECT_EQ(planets.texture[0], 0);
    EXPECT_EQ(planets.spin[0], 0.0f);
    EXPECT_FLOAT_EQ(planets.pos[1][0], 10.0f);
    EXPECT_FLOAT_EQ(planets.pos[1][1], 2.5f);
    EXPECT_FLOAT_EQ(planets.pos[1][2], -0.5f);
    EXPECT_FLOAT_EQ(planets.radius[1], 7.0f);
    EXPECT_EQ(planets.texture[1], 0);
    EXPECT_EQ(planets.spin[1], 0.0f);
    EXPECT_FLOAT_EQ(planets.spin[2], 9.5f);
}

TEST_F(Universe, IgnoredLines) {
    load("planet 1 2 3 4 0 0\n PLANET 1 2 3 4 0 0\n\tTEXTURE a\n# PLANET 1 2 3\n"
         "PLANET rock 1 2 3\nPLANET\nPLANET   \nTEXTURE\nTEXTURE  \r\nTexture b\n");
    EXPECT_EQ(planetCount, 0);
    EXPECT_EQ(textures.count, 0);
}

TEST_F(Universe, LineEndingsAndTheLastLine) {
    load("TEXTURE a\r\nPLANET 1 2 3 4 0 1\r\nPLANET 5 6 7 8 1 0");
    EXPECT_EQ(names(), (std::vector<std::string>{"a.bmp"}));
    ASSERT_EQ(planetCount, 2);
    EXPECT_FLOAT_EQ(planets.spin[0], 1.0f);
    EXPECT_FLOAT_EQ(planets.pos[1][2], 7.0f);
}

TEST_F(Universe, PlanetsBeyondTheTableAreIgnored) {
    std::string text;
    for (int i = 0; i < MAX_PLANETS + 5; ++i)
        text += "PLANET " + std::to_string(i) + " 0 0 1 0 0\n";
    text += "TEXTURE late\n";
    load(text);
    EXPECT_EQ(planetCount, MAX_PLANETS);
    EXPECT_FLOAT_EQ(planets.pos[MAX_PLANETS - 1][0], float(MAX_PLANETS - 1));
    EXPECT_EQ(textures.count, 1); // lines after the full table still count
}

TEST_F(Universe, LongLinesAreReadInPiecesOf254) {
    load(std::string(254, 'x') + "PLANET 1 2 3 4 0 0\n" + std::string(300, 'y') + "\n");
    ASSERT_EQ(planetCount, 1);
    EXPECT_FLOAT_EQ(planets.radius[0], 4.0f);
}

TEST_F(Universe, EmptyFileLeavesNoPlanets) {
    load("");
    EXPECT_EQ(planetCount, 0);
}

TEST_F(Universe, MoreTextureLinesThanAnyTableHoldsAddNothing) {
    std::string text;
    for (int i = 0; i < MAX_UNIVERSE_TEXTURES + 3; ++i)
        text += "TEXTURE t" + std::to_string(i) + "\n";
    load(text);
    ASSERT_EQ(textures.count, MAX_UNIVERSE_TEXTURES);
    EXPECT_STREQ(textures.fileName[MAX_UNIVERSE_TEXTURES - 1], "t31.bmp");
}

TEST_F(Universe, MissingFileIsReportedWithItsReason) {
    EXPECT_FALSE(loadUniverse("/nonexistent/universe.uni", &textures));
    EXPECT_EQ(errno, ENOENT);
}
