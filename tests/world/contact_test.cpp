// The proximity test and spawning.
#include <cmath>
#include <limits>

#include "tests/world/world_fixture.h"
#include "world/contact.h"
#include "world/random.h"

using Obstacles = WorldTest;

TEST_F(Obstacles, ExactReachTouchesAndTheNextFloatDoesNot) {
    addPlanet(0.0f, 0.0f, 0.0f, 1.5f);
    EXPECT_EQ(findObstacle(2.0f, 0.0f, 0.0f, 0.5f, -1), -1);
    EXPECT_EQ(findObstacle(std::nextafter(2.0f, 3.0f), 0.0f, 0.0f, 0.5f, -1), 0);
    EXPECT_EQ(findObstacle(0.0f, -2.0f, 0.0f, 0.5f, -1), -1);

    planetCount = 0;
    placeShip(3, 0.0f, 0.0f, 0.0f);
    const float shipReach = SHIP_RADIUS + SHIP_RADIUS;
    EXPECT_EQ(findObstacle(0.0f, 0.0f, shipReach, SHIP_RADIUS, -1), 4);
    EXPECT_EQ(findObstacle(0.0f, 0.0f, std::nextafter(shipReach, 1.0f), SHIP_RADIUS, -1), 0);
    const float rocketReach = ROCKET_RADIUS + SHIP_RADIUS;
    EXPECT_EQ(findObstacle(-rocketReach, 0.0f, 0.0f, ROCKET_RADIUS, -1), 4);
    EXPECT_EQ(findObstacle(-std::nextafter(rocketReach, 1.0f), 0.0f, 0.0f, ROCKET_RADIUS, -1), 0);
}

TEST_F(Obstacles, PlanetsComeFirstThenTheLowestSlot) {
    placeShip(5, 0.0f, 0.0f, 0.0f);
    placeShip(2, 0.2f, 0.0f, 0.0f);
    EXPECT_EQ(findObstacle(0.1f, 0.0f, 0.0f, SHIP_RADIUS, -1), 3);
    addPlanet(3.0f, 0.0f, 0.0f, 20.0f); // the ships sit inside it
    addPlanet(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(findObstacle(0.1f, 0.0f, 0.0f, SHIP_RADIUS, -1), -1);
    // Planets beyond the count in use are not there.
    planetCount = 0;
    EXPECT_EQ(findObstacle(0.1f, 0.0f, 0.0f, SHIP_RADIUS, -1), 3);
}

TEST_F(Obstacles, DeadFreeAndSkippedShipsNeverBlock) {
    placeShip(0, 0.0f, 0.0f, 0.0f).health = 0;
    placeShip(1, 0.0f, 0.0f, 0.0f).health = -7;
    placeShip(2, 0.0f, 0.0f, 0.0f).slot   = FREE_SLOT;
    placeShip(3, 0.0f, 0.0f, 0.0f).slot   = -1; // any negative slot is free
    placeShip(4, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(findObstacle(0.0f, 0.0f, 0.0f, SHIP_RADIUS, 4), 0);
    EXPECT_EQ(findObstacle(0.0f, 0.0f, 0.0f, SHIP_RADIUS, 5), 5);
    playerTable[4].health = 1; // alive with a single point
    EXPECT_EQ(findObstacle(0.0f, 0.0f, 0.0f, SHIP_RADIUS, 0), 5);
}

TEST_F(Obstacles, NonFinitePointsTouchNothing) {
    addPlanet(0.0f, 0.0f, 0.0f, 1.0e30f);
    placeShip(1, 0.0f, 0.0f, 0.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(findObstacle(nan, 0.0f, 0.0f, ROCKET_RADIUS, 0), 0);
    EXPECT_EQ(findObstacle(0.0f, 0.0f, 0.0f, nan, 0), 0);
    EXPECT_EQ(findObstacle(0.0f, inf, 0.0f, ROCKET_RADIUS, 0), 0);
    planetCount = 0;
    EXPECT_EQ(findObstacle(0.0f, 0.0f, -inf, ROCKET_RADIUS, 0), 0);
    EXPECT_EQ(findObstacle(0.0f, 0.0f, 0.0f, ROCKET_RADIUS, 0), 2); // and the ship is there
}

TEST_F(Obstacles, TheVectorEntryAnswersAlike) {
    addPlanet(10.0f, 0.0f, 0.0f, 1.0f);
    placeShip(6, -10.0f, 0.0f, 0.0f);
    const float onPlanet[3] = {10.0f, 1.05f, 0.0f};
    const float onShip[3]   = {-10.0f, 0.0f, 0.4f};
    const float clear[3]    = {0.0f, 0.0f, 0.0f};
    EXPECT_EQ(findObstacle(onPlanet, ROCKET_RADIUS, 0), -1);
    EXPECT_EQ(findObstacle(onShip, ROCKET_RADIUS, 0), 7);
    EXPECT_EQ(findObstacle(onShip, ROCKET_RADIUS, 6), 0);
    EXPECT_EQ(findObstacle(clear, ROCKET_RADIUS, 0), 0);
}

using Spawning = WorldTest;

TEST_F(Spawning, MakesTheSlotLocalAliveAndStillAtTheFirstFreeDraw) {
    Player& p         = playerTable[3];
    p.health          = -2;
    p.killer          = 6;
    p.yaw             = 123.0f;
    p.pitch           = -45.0f;
    p.vel[1]          = 0.5f;
    p.rocketLife[5]   = 280;
    p.rocketPos[5][0] = 9.0f;
    p.rocketVel[5][2] = -1.0f;
    gameSrand(1); // draws 41, 18467, 6334: x, then y, then z
    spawnLocalPlayer(3);
    EXPECT_EQ(localPlayer, 3);
    EXPECT_EQ(p.slot, 3);
    EXPECT_EQ(p.health, FULL_HEALTH);
    EXPECT_EQ(p.pos[0], 11.0f); // 41 mod 60 - 30
    EXPECT_EQ(p.pos[1], 17.0f); // 18467 mod 60 - 30
    EXPECT_EQ(p.pos[2], 4.0f);  // 6334 mod 60 - 30
    EXPECT_EQ(p.yaw, 0.0f);
    EXPECT_EQ(p.pitch, 0.0f);
    for (float v : p.vel)
        EXPECT_EQ(v, 0.0f);
    for (int32_t life : p.rocketLife)
        EXPECT_EQ(life, 0);
    EXPECT_EQ(p.killer, 6); // the next frame clears it
    EXPECT_EQ(p.rocketPos[5][0], 9.0f);
    EXPECT_EQ(p.rocketVel[5][2], -1.0f);
}

TEST_F(Spawning, DrawsAgainUntilFreeAndStaysInTheCube) {
    // A planet reaching every point of the cube with x >= 1: every spawn lands below.
    addPlanet(1000.0f, 0.0f, 0.0f, 1000.0f);
    placeShip(0, -15.0f, 0.0f, 0.0f); // another ship is avoided too
    gameSrand(7);
    for (int n = 0; n < 200; ++n) {
        spawnLocalPlayer(1);
        const Player& p = playerTable[1];
        for (float c : p.pos) {
            EXPECT_EQ(c, std::floor(c));
            EXPECT_GE(c, -30.0f);
            EXPECT_LE(c, 29.0f);
        }
        EXPECT_LE(p.pos[0], 0.0f);
        EXPECT_EQ(findObstacle(p.pos, SHIP_RADIUS, 1), 0);
    }
}

TEST_F(Spawning, AWholeCubeBlockedStillReturns) {
    addPlanet(0.0f, 0.0f, 0.0f, 100.0f); // covers every point of the cube
    placeShip(2, 0.0f, 0.0f, 0.0f).health = 0;
    gameSrand(99);
    spawnLocalPlayer(2);
    const Player& p = playerTable[2];
    EXPECT_EQ(localPlayer, 2);
    EXPECT_EQ(p.health, FULL_HEALTH);
    for (float c : p.pos) {
        EXPECT_EQ(c, std::floor(c));
        EXPECT_GE(c, -30.0f);
        EXPECT_LE(c, 29.0f);
    }
}

TEST_F(Spawning, FindsTheOnlyFreePointOfTheCube) {
    // A planet far along (1, 1, 1) reaching every point but the corner (-30, -30, -30),
    // which lies a little over half a unit beyond the next farthest points.
    const float c      = 1000.0f;
    const float corner = std::sqrt(3.0f) * (c + 30.0f);
    addPlanet(c, c, c, corner - 0.3f - SHIP_RADIUS);
    gameSrand(5);
    spawnLocalPlayer(0);
    const Player& p = playerTable[0];
    EXPECT_EQ(p.pos[0], -30.0f);
    EXPECT_EQ(p.pos[1], -30.0f);
    EXPECT_EQ(p.pos[2], -30.0f);
}

TEST_F(Spawning, IgnoresASlotOutsideTheTable) {
    spawnLocalPlayer(8);
    spawnLocalPlayer(-10);
    EXPECT_EQ(localPlayer, FREE_SLOT);
}
