// The generated universe reads back through the game's universe reader: its planets, their
// textures, and a spawn cube that stays mostly free.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/textures.h"
#include "tests/assets/gl_fixture.h"
#include "tests/tools/generated_files.h"
#include "tools/pictures.h"
#include "tools/universe_file.h"
#include "world/contact.h"
#include "world/universe.h"
#include "world/world_state.h"

namespace {
class GeneratedUniverse : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        InGameDir inGame;
        ASSERT_TRUE(inGame.ok()) << "no game folder at " << gameDir();
        resetWorld();
        UniverseTextures textures{};
        ASSERT_TRUE(loadUniverse("universe.uni", &textures));
        for (int i = 0; i < textures.count; ++i) {
            const int next = loadTexture(textures.fileName[i]);
            if (i == 0) planetTextureBase = next - 1;
        }
    }
};

float distanceBetween(const float a[3], const float b[3]) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}
} // namespace

TEST_F(GeneratedUniverse, YieldsItsPlanetsAndTextures) {
    ASSERT_EQ(planetCount, UNIVERSE_PLANET_COUNT);
    EXPECT_GE(planetCount, 10);
    EXPECT_LE(planetCount, 20);
    EXPECT_EQ(planetTextureBase, 1);
    EXPECT_EQ(nextTextureName, 1 + PLANET_KIND_COUNT);
    for (int name = 1; name < nextTextureName; ++name)
        EXPECT_FALSE(textureTable[name].pixels.empty()) << "planet texture " << name;
    for (int k = 0; k < planetCount; ++k) {
        SCOPED_TRACE(UNIVERSE[k].name);
        EXPECT_FLOAT_EQ(planets.pos[k][0], UNIVERSE[k].x);
        EXPECT_FLOAT_EQ(planets.pos[k][1], UNIVERSE[k].y);
        EXPECT_FLOAT_EQ(planets.pos[k][2], UNIVERSE[k].z);
        EXPECT_FLOAT_EQ(planets.radius[k], UNIVERSE[k].radius);
        EXPECT_EQ(planets.texture[k], UNIVERSE[k].kind);
        EXPECT_FLOAT_EQ(planets.spin[k], UNIVERSE[k].spin);
        EXPECT_GE(planets.texture[k], 0);
        EXPECT_LT(planets.texture[k], PLANET_KIND_COUNT);
    }
}

TEST_F(GeneratedUniverse, LeavesMostOfTheSpawnCubeFree) {
    int free = 0, total = 0;
    for (int x = SPAWN_CUBE_MIN; x < SPAWN_CUBE_MIN + SPAWN_CUBE_SIDE; x += 2)
        for (int y = SPAWN_CUBE_MIN; y < SPAWN_CUBE_MIN + SPAWN_CUBE_SIDE; y += 2)
            for (int z = SPAWN_CUBE_MIN; z < SPAWN_CUBE_MIN + SPAWN_CUBE_SIDE; z += 2) {
                ++total;
                if (findObstacle(static_cast<float>(x), static_cast<float>(y),
                                 static_cast<float>(z), SHIP_RADIUS, -1) == 0)
                    ++free;
            }
    EXPECT_GT(free, total * 9 / 10) << free << " of " << total << " spawn points free";
}

TEST_F(GeneratedUniverse, PlanetsAreApartVariedAndWithinSight) {
    float smallest = 1e9f, largest = 0.0f;
    bool turnsBack = false, turnsPartly = false;
    for (int i = 0; i < planetCount; ++i) {
        smallest    = std::fmin(smallest, planets.radius[i]);
        largest     = std::fmax(largest, planets.radius[i]);
        turnsBack   = turnsBack || planets.spin[i] < 0.0f;
        turnsPartly = turnsPartly || planets.spin[i] != std::floor(planets.spin[i]);
        // From the cube's centre some of every planet lies inside the far plane.
        const float centre[3] = {0, 0, 0};
        EXPECT_LT(distanceBetween(planets.pos[i], centre) - planets.radius[i], 60.0f) << i;
        for (int j = i + 1; j < planetCount; ++j)
            EXPECT_GT(distanceBetween(planets.pos[i], planets.pos[j]),
                      planets.radius[i] + planets.radius[j] + 2.0f)
                << i << " and " << j << " touch";
    }
    EXPECT_GE(largest / smallest, 4.0f);
    EXPECT_TRUE(turnsBack);
    EXPECT_TRUE(turnsPartly);
}
