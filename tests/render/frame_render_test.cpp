// The frame read back as pixels: the sky behind everything, the camera, the planets' level
// of detail, who is drawn in which colour, the damaged-ship pulse, rockets and explosions,
// and peers' impossible numbers.
#include <GL/gl.h>

#include <cmath>
#include <limits>

#include "assets/asset_loading.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"
#include "world/random.h"
#include "world/world_state.h"

namespace {

constexpr Rgb SKY      = {0.2f, 0.2f, 0.2f};
constexpr int SKY_GREY = 51;
constexpr Rgb RED      = {1, 0, 0};
constexpr Rgb GREEN    = {0, 1, 0};
constexpr Rgb BLUE     = {0, 0, 1};
constexpr Rgb WHITE    = {1, 1, 1};
constexpr Rgb MAGENTA  = {1, 0, 1};

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float INF = std::numeric_limits<float>::infinity();

int byte(float v) {
    return int(std::lround(v * 255.0f));
}

class FrameRender : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        recordList(LIST_SKY, [] { emitInsideBox(50.0f, SKY, 0.0f); });
    }
    // A sky whose translucent face sets leave the blend function at source alpha, as a
    // model's translucent face set does, so blended draws after it mix by their alpha.
    void useAlphaBlendingSky() {
        recordList(LIST_SKY, [] {
            emitInsideBox(50.0f, SKY, 0.0f);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        });
    }
    Player& remote(int slot, float x, float y, float z, int health = FULL_HEALTH) {
        Player& p = playerTable[slot];
        p.slot    = slot;
        p.health  = health;
        p.pos[0]  = x;
        p.pos[1]  = y;
        p.pos[2]  = z;
        return p;
    }
    void rocket(int owner, int j, int life, float x, float y, float z) {
        Player& p         = playerTable[owner];
        p.rocketLife[j]   = life;
        p.rocketPos[j][0] = x;
        p.rocketPos[j][1] = y;
        p.rocketPos[j][2] = z;
    }
    void planet(int n, float x, float y, float z, float radius, int texture = 0) {
        planets.pos[n][0]  = x;
        planets.pos[n][1]  = y;
        planets.pos[n][2]  = z;
        planets.radius[n]  = radius;
        planets.texture[n] = texture;
        planets.spin[n]    = 0.0f;
        if (planetCount <= n) planetCount = n + 1;
    }
    // Pixels along the centre row of the view that differ from the sky.
    int litWidthOnCentreRow(const Frame& f) {
        int count = 0;
        for (int x = 0; x < VIEW_W; ++x) {
            const uint8_t* px = f.at(x, VIEW_H / 2);
            if (std::abs(px[0] - SKY_GREY) > 2 || std::abs(px[2] - SKY_GREY) > 2) ++count;
        }
        return count;
    }
};

// Unlit lists show the colour set before them exactly.
void unlitQuad(float cx, float cy, float cz, float half, const Rgb* colour) {
    glDisable(GL_LIGHTING);
    emitQuadFacingViewer(cx, cy, cz, half, colour);
}

TEST_F(FrameRender, SkyTurnsWithTheViewStaysOnTheViewerAndLiesBehindEverything) {
    recordList(LIST_SKY, [] {
        emitInsideBox(50.0f, SKY, 0.0f);
        emitQuadFacingViewer(0.0f, 0.0f, -45.0f, 5.0f, &MAGENTA); // straight ahead at yaw 0
    });
    recordList(LIST_STONE0, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, &RED); });
    planet(0, 8.0f, 0.0f, -60.0f, 2.0f); // beyond the sky box, still inside the far plane

    renderFrame();
    Frame f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -45.0f), 255, 0, 255));
    EXPECT_TRUE(pixelNear(colourAt(f, 8.0f, 0.0f, -60.0f), 255, 0, 0)) << "planet behind sky";
    EXPECT_TRUE(pixelNear(colourAt(f, -20.0f, 15.0f, -45.0f), SKY_GREY, SKY_GREY, SKY_GREY));

    playerTable[0].yaw = 90.0f; // looking along +x: the marker is now off to the left
    renderFrame();
    f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -45.0f), SKY_GREY, SKY_GREY, SKY_GREY));

    playerTable[0].yaw    = 0.0f;
    playerTable[0].pos[0] = 500.0f; // far outside the box, which goes with the viewer
    planetCount           = 0;
    renderFrame();
    f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -45.0f), 255, 0, 255));
    EXPECT_TRUE(pixelNear(colourAt(f, 20.0f, -15.0f, -45.0f), SKY_GREY, SKY_GREY, SKY_GREY));
}

TEST_F(FrameRender, CameraFollowsTheLocalShipDeadOrAlive) {
    recordList(LIST_STONE1, [] { emitSphere(1.0f, 16, 8, &GREEN, false); });
    Player& me = playerTable[0];
    me.pos[0]  = 10.0f;
    me.pos[1]  = 5.0f;
    me.pos[2]  = -3.0f;
    me.health  = 0;
    struct View {
        float yaw, pitch, dx, dy, dz;
    };
    // Looking along +x; down; up and ahead (positive pitch looks down).
    const View views[] = {
        {90,  0,   12,  0,   0       },
        {0,   90,  0,   -12, 0       },
        {0,   -30, 0,   6,   -10.392f},
        {270, 0,   -12, 0,   0       },
    };
    for (View v : views) {
        me.yaw   = v.yaw;
        me.pitch = v.pitch;
        planet(0, me.pos[0] + v.dx, me.pos[1] + v.dy, me.pos[2] + v.dz, 1.0f);
        renderFrame();
        const Frame f = frame();
        EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -12.0f), 0, 255, 0, 40))
            << "yaw " << v.yaw << " pitch " << v.pitch;
        EXPECT_TRUE(pixelNear(colourAt(f, 2.0f, 0.0f, -12.0f), SKY_GREY, SKY_GREY, SKY_GREY));
    }
}

TEST_F(FrameRender, PlanetMeshFollowsTheViewersDistance) {
    recordList(LIST_STONE0, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, &RED); });
    recordList(LIST_STONE1, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, &GREEN); });
    recordList(LIST_STONE2, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, &BLUE); });
    struct Case {
        float radius, distance;
        Rgb mesh;
    };
    const Case cases[] = {
        {5,  9,  BLUE },
        {5,  10, GREEN},
        {5,  15, GREEN},
        {1,  22, GREEN},
        {5,  23, RED  },
        {12, 23, BLUE },
        {1,  60, RED  },
    };
    for (Case c : cases) {
        planet(0, 0.0f, 0.0f, -c.distance, c.radius);
        renderFrame();
        const Frame f = frame();
        EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -c.distance), byte(c.mesh.r), byte(c.mesh.g),
                              byte(c.mesh.b)))
            << "radius " << c.radius << " at " << c.distance;
    }
    EXPECT_EQ(planetDetailList(9.0f, 5.0f), LIST_STONE2);
    EXPECT_EQ(planetDetailList(10.0f, 5.0f), LIST_STONE1);
    EXPECT_EQ(planetDetailList(22.0f, 1.0f), LIST_STONE1);
    EXPECT_EQ(planetDetailList(22.000002f, 1.0f), LIST_STONE0);
    EXPECT_EQ(planetDetailList(23.0f, 12.0f), LIST_STONE2);
}

TEST_F(FrameRender, EachPlanetWearsItsOwnTexture) {
    ASSERT_EQ(testTextures.green, testTextures.red + 1) << "planet textures must be consecutive";
    recordList(LIST_STONE0, [] { emitQuadFacingViewer(0.0f, 0.0f, 0.0f, 1.0f, &WHITE, true); });
    planetTextureBase = int32_t(testTextures.red);
    planet(0, -3.0f, 0.0f, -30.0f, 1.0f, 0);
    planet(1, 3.0f, 0.0f, -30.0f, 1.0f, 1);
    renderFrame();
    const Frame f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, -3.0f, 0.0f, -30.0f), 255, 0, 0));
    EXPECT_TRUE(pixelNear(colourAt(f, 3.0f, 0.0f, -30.0f), 0, 255, 0));
}

TEST_F(FrameRender, ShipsAndRocketsShowTheirSlotColours) {
    recordList(LIST_SHIP, [] { unlitQuad(0.0f, 0.0f, 0.0f, 0.4f, nullptr); });
    recordList(LIST_ROCKET, [] { unlitQuad(0.0f, 0.0f, 0.0f, 0.4f, nullptr); });
    for (int slot = 1; slot < MAX_PLAYERS; ++slot) {
        remote(slot, -9.0f + 2.0f * float(slot), 0.0f, -20.0f);
        rocket(slot, 19, 300, -9.0f + 2.0f * float(slot), 3.0f, -20.0f);
    }
    rocket(0, 0, 100, -9.0f, 3.0f, -20.0f);
    renderFrame();
    const Frame f = frame();
    for (int slot = 0; slot < MAX_PLAYERS; ++slot) {
        const float x  = -9.0f + 2.0f * float(slot);
        const float* c = slotColours[slot];
        if (slot != 0) {
            EXPECT_TRUE(pixelNear(colourAt(f, x, 0.0f, -20.0f), byte(c[0]), byte(c[1]), byte(c[2])))
                << "ship " << slot;
        }
        EXPECT_TRUE(pixelNear(colourAt(f, x, 3.0f, -20.0f), byte(c[0]), byte(c[1]), byte(c[2])))
            << "rocket " << slot;
    }
    EXPECT_TRUE(pixelNear(colourAt(f, -9.0f, 0.0f, -20.0f), SKY_GREY, SKY_GREY, SKY_GREY))
        << "no ship of the local slot";
}

TEST_F(FrameRender, LocalDeadAndFreeEntries) {
    // The ship list puts its mark three units ahead of the ship, so the local ship's mark
    // would sit in the middle of the view.
    recordList(LIST_SHIP, [] { unlitQuad(0.0f, 0.0f, -3.0f, 0.5f, nullptr); });
    recordList(LIST_ROCKET, [] { unlitQuad(0.0f, 0.0f, 0.0f, 0.3f, nullptr); });
    remote(1, -4.0f, 0.0f, -7.0f);
    remote(2, 0.0f, 0.0f, -7.0f, 0); // dead
    remote(3, 4.0f, 0.0f, -7.0f).slot = FREE_SLOT;
    remote(4, 6.0f, 0.0f, -7.0f, -20); // dead below zero
    rocket(0, 5, 150, -2.0f, 1.5f, -10.0f);
    rocket(2, 0, 150, 0.0f, 1.5f, -10.0f);
    rocket(3, 0, 150, 2.0f, 1.5f, -10.0f);
    rocket(3, 1, 50, 2.0f, -1.5f, -10.0f);
    gameSrand(7);
    renderFrame();
    const Frame f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, -4.0f, 0.0f, -10.0f), 0, 0, 255)) << "live remote ship";
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -10.0f), SKY_GREY, SKY_GREY, SKY_GREY))
        << "local or dead ship drawn";
    EXPECT_TRUE(pixelNear(colourAt(f, 4.0f, 0.0f, -10.0f), SKY_GREY, SKY_GREY, SKY_GREY));
    EXPECT_TRUE(pixelNear(colourAt(f, 6.0f, 0.0f, -10.0f), SKY_GREY, SKY_GREY, SKY_GREY));
    EXPECT_TRUE(pixelNear(colourAt(f, -2.0f, 1.5f, -10.0f), 255, 0, 0)) << "local rocket";
    EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 1.5f, -10.0f), 0, 255, 0)) << "dead owner's rocket";
    EXPECT_TRUE(pixelNear(colourAt(f, 2.0f, 1.5f, -10.0f), SKY_GREY, SKY_GREY, SKY_GREY));
    const int next = gameRand();
    gameSrand(7);
    EXPECT_EQ(next, gameRand()) << "a free entry's explosion draws no randoms";
}

TEST_F(FrameRender, ShipTurnsAboutItsOwnCentreYawThenPitch) {
    // Seen from above; the ship list's white nose mark sits 1.5 ahead of its body (-z).
    recordList(LIST_SHIP, [] {
        glDisable(GL_LIGHTING);
        emitQuadFacingUp(0.0f, 0.0f, 0.0f, 0.5f, nullptr);
        emitQuadFacingUp(0.0f, 0.0f, -1.5f, 0.1f, &WHITE);
    });
    Player& me   = playerTable[0];
    me.pos[1]    = 10.0f;
    me.pitch     = 90.0f;
    Player& ship = remote(1, 3.0f, 0.0f, 0.0f);
    // Eye space from above: world +x is right, world -z is up, depth is height - 10.
    struct Case {
        float yaw, pitch, noseX, noseUp, noseDepth;
    };
    const Case cases[] = {
        {0,  0,  3.0f,   1.5f,   -10.0f },
        {90, 0,  4.5f,   0.0f,   -10.0f },
        {0,  30, 3.0f,   1.299f, -10.75f},
        {90, 30, 4.299f, 0.0f,   -10.75f},
    };
    for (Case c : cases) {
        ship.yaw   = c.yaw;
        ship.pitch = c.pitch;
        renderFrame();
        const Frame f = frame();
        EXPECT_TRUE(pixelNear(colourAt(f, c.noseX, c.noseUp, c.noseDepth), 255, 255, 255))
            << "yaw " << c.yaw << " pitch " << c.pitch;
        EXPECT_TRUE(pixelNear(colourAt(f, 3.0f, 0.0f, -10.0f), 0, 0, 255)) << "body stays put";
    }
}

TEST_F(FrameRender, DamagedShipPulsesThroughItsAlpha) {
    recordList(LIST_SHIP, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, nullptr); });
    Player& ship = remote(1, 0.0f, 0.0f, -5.0f);
    struct Case {
        int health;
        float pulse;
        int r, g, b;
    };
    // Additive, the blend function the scene set-up and the overlay leave.
    const Case additive[] = {
        {11, 350, 0,  0,  255},
        {10, 0,   51, 51, 255},
        {1,  180, 51, 51, 255},
    };
    for (Case c : additive) {
        ship.health = c.health;
        pulseAngle  = c.pulse;
        renderFrame();
        EXPECT_TRUE(pixelNear(colourAt(frame(), 0.0f, 0.0f, -5.0f), c.r, c.g, c.b))
            << "health " << c.health << " pulse " << c.pulse;
    }
    // Mixed by alpha when a list earlier in the frame chose that blend function.
    useAlphaBlendingSky();
    auto mix = [](float a, int top, int under) {
        return int(std::lround(a * top + (1 - a) * under));
    };
    const int halfSky = mix(0.5f, 0, 51), halfBlue = mix(0.5f, 255, 51);
    const int nearlyNoSky = mix(0.972f, 0, 51), nearlyBlue = mix(0.972f, 255, 51);
    const Case mixed[] = {
        {11, 180, 0,           0,           255       },
        {10, 0,   51,          51,          51        },
        {10, 180, halfSky,     halfSky,     halfBlue  },
        {10, 350, nearlyNoSky, nearlyNoSky, nearlyBlue},
    };
    for (Case c : mixed) {
        ship.health = c.health;
        pulseAngle  = c.pulse;
        renderFrame();
        EXPECT_TRUE(pixelNear(colourAt(frame(), 0.0f, 0.0f, -5.0f), c.r, c.g, c.b))
            << "health " << c.health << " pulse " << c.pulse;
    }
}

TEST_F(FrameRender, RocketsFlyThenGrowAndFadeAsExplosions) {
    useAlphaBlendingSky();
    recordList(LIST_ROCKET, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, nullptr); });
    recordList(LIST_EXPLOSION, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, nullptr); });
    const float pxPerUnitAt5 = VIEW_H / (5.0f * 2.0f * std::tan(float(M_PI) / 6.0f));
    auto mix                 = [](float a, float top, int under) {
        return int(std::lround(a * top + (1 - a) * under));
    };
    struct Case {
        int life;
        float depth;
        float width; // in pixels, 0 for nothing drawn
        int r, g, b;
    };
    // The explosion's colour (1, 0.5, 0.5) over the grey sky at alpha life x 0.005.
    const int r99 = mix(0.495f, 255, 51), gb99 = mix(0.495f, 127.5f, 51);
    const int r50 = mix(0.25f, 255, 51), gb50 = mix(0.25f, 127.5f, 51);
    const int r1 = mix(0.005f, 255, 51), gb1 = mix(0.005f, 127.5f, 51);
    const float unit   = pxPerUnitAt5;
    const Case cases[] = {
        {300, 5,    2.0f * unit,  255,      0,        0       },
        {100, 5,    2.0f * unit,  255,      0,        0       },
        {99,  0.5f, 0.2f * unit,  r99,      gb99,     gb99    },
        {50,  5,    1.0f * unit,  r50,      gb50,     gb50    },
        {1,   5,    1.98f * unit, r1,       gb1,      gb1     },
        {0,   5,    0.0f,         SKY_GREY, SKY_GREY, SKY_GREY},
    };
    for (Case c : cases) {
        rocket(0, 3, c.life, 0.0f, 0.0f, -c.depth);
        renderFrame();
        const Frame f = frame();
        EXPECT_TRUE(pixelNear(colourAt(f, 0.0f, 0.0f, -c.depth), c.r, c.g, c.b))
            << "life " << c.life;
        if (c.life != 1) {
            EXPECT_NEAR(litWidthOnCentreRow(f), c.width, 2.0f) << "life " << c.life;
        }
    }
}

TEST_F(FrameRender, ExplosionsTakeThreeFreshRandomsEachAndAZeroAxisTurnsNothing) {
    recordList(LIST_EXPLOSION, [] { unlitQuad(0.0f, 0.0f, 0.0f, 1.0f, nullptr); });
    rocket(0, 0, 60, -3.0f, 0.0f, -10.0f);
    rocket(0, 1, 200, 0.0f, 0.0f, -10.0f);
    rocket(1, 0, 40, 3.0f, 0.0f, -10.0f);
    remote(1, 0.0f, 0.0f, 50.0f, 0);
    rocket(2, 0, 40, 3.0f, 0.0f, -10.0f); // a free entry's
    gameSrand(1234);
    int expected = 0;
    for (int draw = 0; draw < 7; ++draw)
        expected = gameRand();
    gameSrand(1234);
    renderFrame();
    EXPECT_EQ(gameRand(), expected) << "two explosions take six draws";

    // A seed whose next three draws are all multiples of 100: no axis to turn about.
    uint32_t seed = 0;
    for (;; ++seed) {
        gameSrand(seed);
        if (gameRand() % 100 == 0 && gameRand() % 100 == 0 && gameRand() % 100 == 0) break;
    }
    resetPlayerTable();
    playerTable[0].slot   = 0;
    playerTable[0].pos[0] = 0.0f;
    rocket(0, 0, 1, 0.0f, 0.0f, -5.0f);
    pulseAngle = 90.0f; // any real axis would turn the quad edge-on or away
    gameSrand(seed);
    renderFrame();
    const Frame f = frame();
    EXPECT_NEAR(litWidthOnCentreRow(f),
                1.98f * VIEW_H / (5.0f * 2.0f * std::tan(float(M_PI) / 6.0f)), 2.0f);
}

TEST_F(FrameRender, ImpossibleNumbersFromPeersDrawNothingAndStopNothing) {
    recordList(LIST_SHIP, [] { unlitQuad(0.0f, 0.0f, 0.0f, 0.5f, nullptr); });
    recordList(LIST_ROCKET, [] { emitSphere(0.2f, 8, 4, nullptr, false); });
    recordList(LIST_EXPLOSION, [] { emitSphere(1.0f, 8, 4, nullptr, false); });
    remote(1, NaN, 0.0f, -5.0f);
    remote(2, 0.0f, 0.0f, -5.0f).yaw   = INF;
    remote(3, 0.0f, 0.0f, -5.0f).pitch = -NaN;
    remote(4, 3e38f, -3e38f, 3e38f);
    remote(5, 2.0f, 0.0f, -8.0f); // the one good ship
    rocket(1, 0, 300, INF, -INF, 0.0f);
    rocket(1, 1, 60, NaN, NaN, NaN);
    rocket(1, 2, 300, 3e38f, 3e38f, -3e38f);
    rocket(1, 3, 20, -3e38f, 1e30f, 3e38f);
    rocket(1, 4, 20, 1e-40f, -1e-45f, 0.0f);
    planet(0, NaN, 0.0f, 0.0f, 1.0f);
    planet(1, 0.0f, 0.0f, -30.0f, INF);
    planet(2, 3e38f, 0.0f, 0.0f, 3e38f);
    planet(3, 0.0f, 0.0f, -40.0f, 1.0f, INT32_MAX); // a texture number past every name
    planetTextureBase = 5;
    gameSrand(5);
    for (int frameNo = 0; frameNo < 3; ++frameNo) {
        pulseAngle = 10.0f * float(frameNo);
        renderFrame();
    }
    Frame f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, 2.0f, 0.0f, -8.0f), 0, 255, 255)) << "good ship still drawn";
    // Undrawn explosions still take their draws: the random sequence never depends on positions.
    const int next = gameRand();
    gameSrand(5);
    for (int draw = 0; draw < 3 * 3 * 3; ++draw)
        gameRand();
    EXPECT_EQ(next, gameRand());

    // An impossible view of our own shows what it can and moves on.
    playerTable[0].pos[2] = NaN;
    playerTable[0].yaw    = INF;
    renderFrame();
    playerTable[0].pos[2] = 0.0f;
    playerTable[0].yaw    = 0.0f;
    renderFrame();
    f = frame();
    EXPECT_TRUE(pixelNear(colourAt(f, 2.0f, 0.0f, -8.0f), 0, 255, 255));
}

TEST_F(FrameRender, WithoutALocalSlotTheFrameIsEmpty) {
    recordList(LIST_SKY, [] { emitInsideBox(50.0f, WHITE, 1.0f); });
    localPlayer = FREE_SLOT;
    renderFrame();
    EXPECT_TRUE(pixelNear(colourAt(frame(), 0.0f, 0.0f, -1.0f), 0, 0, 0));
}

} // namespace
