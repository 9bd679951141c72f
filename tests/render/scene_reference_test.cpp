// One whole fixed scene (fixed seed, positions and angles) against a stored picture: sky,
// textured planets at three levels of detail, ships in slot colours with one pulsing,
// rockets, turning explosions and the overlay. Set VORANIS_UPDATE_REFERENCE=1 to store a
// new picture after an intended change, and look at it before committing it.
#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "assets/asset_loading.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"
#include "world/random.h"
#include "world/world_state.h"

namespace {

constexpr int CHANNEL_TOLERANCE      = 16;
constexpr double DIFFERING_ALLOWANCE = 0.005; // fraction of pixels beyond the tolerance

// Half the size in each direction, each pixel the mean of four, so the stored picture stays
// small and single-pixel rasterisation differences soften.
Frame halve(const Frame& f) {
    Frame half;
    half.width  = f.width / 2;
    half.height = f.height / 2;
    half.rgb.resize(std::size_t(half.width) * half.height * 3);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int sum = f.at(2 * x, 2 * y)[c] + f.at(2 * x + 1, 2 * y)[c] +
                                f.at(2 * x, 2 * y + 1)[c] + f.at(2 * x + 1, 2 * y + 1)[c];
                half.rgb[(std::size_t(y) * half.width + x) * 3 + c] = uint8_t((sum + 2) / 4);
            }
    return half;
}

class SceneReference : public RenderTest {
  protected:
    void buildScene() {
        static const Rgb skyBlue = {0.05f, 0.05f, 0.25f}, white = {1, 1, 1}, star = {1, 1, 0.8f};
        recordList(LIST_SKY, [] {
            emitInsideBox(60.0f, skyBlue, 1.0f);
            glDisable(GL_CULL_FACE);
            for (int n = 0; n < 40; ++n) {
                const float x = float((n * 37) % 80 - 40), y = float((n * 53) % 60 - 30);
                emitQuadFacingViewer(x, y, -55.0f, 0.3f, &star);
            }
        });
        recordList(LIST_STONE0, [] { emitSphere(1.0f, 8, 4, &white, true); });
        recordList(LIST_STONE1, [] { emitSphere(1.0f, 16, 8, &white, true); });
        recordList(LIST_STONE2, [] { emitSphere(1.0f, 32, 16, &white, true); });
        recordList(LIST_SHIP, [] {
            emitSphere(0.5f, 12, 6, nullptr, false);
            emitQuadFacingUp(0.0f, 0.6f, -0.6f, 0.25f, &white);
        });
        recordList(LIST_ROCKET, [] { emitSphere(0.15f, 8, 4, nullptr, false); });
        recordList(LIST_EXPLOSION, [] {
            glDisable(GL_LIGHTING);
            emitQuadFacingViewer(0.0f, 0.0f, 0.0f, 1.5f, nullptr);
        });

        planetTextureBase = int32_t(testTextures.red);
        setPlanet(0, -6.0f, 1.0f, -14.0f, 4.0f, 0, 1.0f);  // near: finest mesh
        setPlanet(1, 9.0f, -2.0f, -18.0f, 3.0f, 1, 2.0f);  // middle mesh
        setPlanet(2, -2.0f, 6.0f, -40.0f, 5.0f, 1, -1.0f); // beyond the detail distance
        spinAngle = 37.0f;

        Player& me = playerTable[0];
        me.pos[2]  = 5.0f;
        me.yaw     = 10.0f;
        me.pitch   = -5.0f;
        setShip(1, -2.0f, -1.0f, -6.0f, 30.0f, 10.0f, 80);
        setShip(3, 2.5f, 1.5f, -9.0f, 200.0f, -20.0f, 6); // damaged
        setShip(6, 0.5f, -2.5f, -4.0f, 90.0f, 0.0f, 55);
        setShip(5, 0.0f, 0.0f, -3.0f, 0.0f, 0.0f, 0); // dead: no ship, rockets still flying
        pulseAngle = 120.0f;
        for (int j = 0; j < 6; ++j) {
            setRocket(0, j, 250 - 40 * j, -1.0f + 0.6f * float(j), -0.5f, -2.0f * float(j) - 1.0f);
            setRocket(5, j, 95 - 18 * j, 1.5f - 0.9f * float(j), 0.8f, -3.0f - float(j));
        }
        localScore = 37;
        me.health  = 64;
        useMarkedOverlay();
        gameSrand(4242);
    }
    void setPlanet(int n, float x, float y, float z, float radius, int texture, float spin) {
        planets.pos[n][0]  = x;
        planets.pos[n][1]  = y;
        planets.pos[n][2]  = z;
        planets.radius[n]  = radius;
        planets.texture[n] = texture;
        planets.spin[n]    = spin;
        planetCount        = n + 1;
    }
    void setShip(int slot, float x, float y, float z, float yaw, float pitch, int health) {
        Player& p = playerTable[slot];
        p.slot    = slot;
        p.pos[0]  = x;
        p.pos[1]  = y;
        p.pos[2]  = z;
        p.yaw     = yaw;
        p.pitch   = pitch;
        p.health  = health;
    }
    void setRocket(int owner, int j, int life, float x, float y, float z) {
        Player& p         = playerTable[owner];
        p.rocketLife[j]   = life;
        p.rocketPos[j][0] = x;
        p.rocketPos[j][1] = y;
        p.rocketPos[j][2] = z;
    }
};

TEST_F(SceneReference, MatchesTheStoredPicture) {
    buildScene();
    renderFrame();
    const Frame picture = halve(frame());

    const char* sourceDir = std::getenv("VORANIS_SOURCE_DIR");
    ASSERT_NE(sourceDir, nullptr);
    const std::string referencePath = std::string(sourceDir) + "/tests/render/reference_scene.ppm";
    if (std::getenv("VORANIS_UPDATE_REFERENCE")) {
        ASSERT_TRUE(writePpm(picture, referencePath.c_str()));
        GTEST_SKIP() << "stored a new reference picture at " << referencePath;
    }
    const Frame reference = readPpm(referencePath.c_str());
    ASSERT_EQ(reference.width, picture.width) << "no readable reference at " << referencePath;
    ASSERT_EQ(reference.height, picture.height);

    long differing = 0;
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
        for (int c = 0; c < 3; ++c) {
            if (std::abs(int(picture.rgb[i + c]) - int(reference.rgb[i + c])) > CHANNEL_TOLERANCE) {
                ++differing;
                break;
            }
        }
    }
    const long allowed = long(DIFFERING_ALLOWANCE * picture.width * picture.height);
    if (differing > allowed) writePpm(picture, "render_scene_actual.ppm");
    EXPECT_LE(differing, allowed) << "the picture differs from " << referencePath
                                  << "; this run's picture is render_scene_actual.ppm";
}

} // namespace
