// The local player's shots, every rocket's flight and ageing, impacts, damage, death and credit.
#include <cmath>

#include "tests/world/world_fixture.h"
#include "world/contact.h"
#include "world/frame_update.h"
#include "world/random.h"

using Shots = WorldTest;

TEST_F(Shots, TakeTheLowestSlotBelowFiftyAndAnnounceTheLaunch) {
    Player& l = placeLocal(0, 1.0f, 2.0f, 3.0f, 90.0f, 0.0f);
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j)
        l.rocketLife[j] = 60 + j;
    l.rocketLife[7]  = 49;
    l.rocketLife[12] = -3; // a peer may send anything: the comparison is signed
    controls.fire    = 1;
    simulateFrame();
    EXPECT_EQ(l.rocketLife[7], 299); // launched at 300, aged once in its first frame
    EXPECT_EQ(l.rocketLife[12], -4); // untouched by the shot
    EXPECT_EQ(controls.fire, 0);

    const std::vector<NetMessage> launches = sentOfType(MSG_ROCKET);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].word[1], 0u);
    EXPECT_EQ(launches[0].word[2], 7u);
    EXPECT_EQ(launches[0].word[3], 300u); // built at launch, before the flight
    EXPECT_EQ(wordFloat(launches[0], 4), 1.0f);
    EXPECT_EQ(wordFloat(launches[0], 7), 5.0f * l.vel[0]);

    ASSERT_EQ(soundCount("shot"), 1);
    for (const SoundCall& c : fakeRecord.sounds) {
        if (c.what != "shot") continue;
        EXPECT_EQ(c.pos[0], 1.0f);
        EXPECT_EQ(c.pos[1], 3.0f); // one unit above the ship
        EXPECT_EQ(c.pos[2], 3.0f);
    }
    // The rocket leaves from the ship and has made its first step along five ship steps.
    EXPECT_EQ(l.rocketPos[7][0], 1.0f + 5.0f * l.vel[0]);

    controls.fire = 1; // the next shot takes the negative slot
    simulateFrame();
    EXPECT_EQ(l.rocketLife[12], 299);
}

TEST_F(Shots, AFullSetDropsTheClickSilently) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    for (int32_t& life : l.rocketLife)
        life = 60;
    controls.fire = 1;
    simulateFrame();
    EXPECT_EQ(controls.fire, 0); // the click is consumed
    EXPECT_EQ(soundCount("shot"), 0);
    EXPECT_TRUE(sentOfType(MSG_ROCKET).empty());
    for (int32_t life : l.rocketLife)
        EXPECT_EQ(life, 59);
}

TEST_F(Shots, ADeadShipKeepsItsClickUntilRespawned) {
    Player& l     = placeLocal(2, 0.0f, 0.0f, 0.0f);
    l.health      = 0;
    controls.fire = 1;
    for (int n = 0; n < 3; ++n)
        simulateFrame();
    EXPECT_EQ(controls.fire, 1);
    EXPECT_TRUE(sentOfType(MSG_ROCKET).empty());
    EXPECT_EQ(soundCount("shot"), 0);

    for (int32_t& life : l.rocketLife)
        life = 300; // the respawn empties these
    gameSrand(1);
    spawnLocalPlayer(2);
    const float spawned[3] = {l.pos[0], l.pos[1], l.pos[2]};
    simulateFrame();
    EXPECT_EQ(controls.fire, 0);
    const std::vector<NetMessage> launches = sentOfType(MSG_ROCKET);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].word[2], 0u); // slot 0, from the new position, along yaw 0
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(wordFloat(launches[0], 4 + a), spawned[a]);
    EXPECT_LT(wordFloat(launches[0], 9), -0.27f);
}

using RocketLife = WorldTest;

TEST_F(RocketLife, TwoHundredFramesAsARocketThenAnExplosionAndReuseAfter251) {
    Player& l     = placeLocal(0, 0.0f, 0.0f, 0.0f);
    controls.fire = 1;
    simulateFrame();
    ASSERT_EQ(l.rocketLife[0], 299);
    for (int n = 2; n <= 200; ++n)
        simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 100); // still drawn as a rocket
    const float before = l.rocketPos[0][2];
    simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 99);       // now an explosion ...
    EXPECT_LT(l.rocketPos[0][2], before); // ... that still moves
    EXPECT_EQ(soundCount("explosion"), 0);
    EXPECT_EQ(sentOfType(MSG_ROCKET).size(), 1u); // only the launch

    for (int n = 202; n <= 250; ++n)
        simulateFrame();
    ASSERT_EQ(l.rocketLife[0], 50);
    for (int j = 1; j < ROCKETS_PER_PLAYER; ++j)
        l.rocketLife[j] = 300;
    controls.fire = 1; // frame 251: the slot is still busy, the click is dropped
    simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 49);
    EXPECT_EQ(sentOfType(MSG_ROCKET).size(), 1u);

    controls.fire = 1; // frame 252: 251 frames after launch, the slot is free again
    simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 299);
    EXPECT_EQ(sentOfType(MSG_ROCKET).size(), 2u);
}

TEST_F(RocketLife, AnUntouchedRocketDiesAfterThreeHundredFramesAndStops) {
    Player& l     = placeLocal(0, 0.0f, 0.0f, 0.0f);
    controls.fire = 1;
    for (int n = 1; n <= 300; ++n)
        simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 0);
    const float last = l.rocketPos[0][2];
    simulateFrame();
    EXPECT_EQ(l.rocketLife[0], 0);
    EXPECT_EQ(l.rocketPos[0][2], last);
}

TEST_F(RocketLife, FreeEntriesFreezeTheirRocketsDeadOnesFlyOn) {
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    Player& gone = placeShip(1, 50.0f, 0.0f, 0.0f);
    gone.slot    = FREE_SLOT;
    setRocket(1, 3, 250, 10.0f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f);
    Player& dead = placeShip(2, 60.0f, 0.0f, 0.0f);
    dead.health  = -4;
    setRocket(2, 3, 250, 20.0f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f);
    simulateFrame();
    EXPECT_EQ(gone.rocketLife[3], 250);
    EXPECT_EQ(gone.rocketPos[3][0], 10.0f);
    EXPECT_EQ(dead.rocketLife[3], 249);
    EXPECT_EQ(dead.rocketPos[3][0], 20.5f);
}

using Impacts = WorldTest;

TEST_F(Impacts, ARocketStayingOnTheShipCostsNinePoints) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    placeShip(1, 10.0f, 0.0f, 0.0f);
    setRocket(1, 4, 300, 0.2f, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f);
    simulateFrame();
    EXPECT_EQ(l.health, 99);
    EXPECT_EQ(playerTable[1].rocketLife[4], 98); // burst to 99, then aged
    EXPECT_EQ(soundCount("explosion"), 1);
    EXPECT_TRUE(sentOfType(MSG_ROCKET).empty()); // only the owner announces it
    for (int n = 0; n < 20; ++n)
        simulateFrame();
    EXPECT_EQ(l.health, 91);                         // impact, then lives 98 down to 91
    EXPECT_EQ(playerTable[1].rocketPos[4][0], 0.2f); // a touching rocket does not move
    EXPECT_EQ(soundCount("explosion"), 1);
    EXPECT_EQ(l.killer, NO_KILLER);
}

TEST_F(Impacts, LivesFrom91To100DamageWithoutExploding) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    placeShip(1, 10.0f, 0.0f, 0.0f);
    setRocket(1, 0, 100, 0.0f, 0.3f, 0.0f);
    setRocket(1, 1, 91, 0.0f, -0.3f, 0.0f);
    setRocket(1, 2, 90, 0.3f, 0.0f, 0.0f); // harmless
    simulateFrame();
    EXPECT_EQ(l.health, 98);
    EXPECT_EQ(soundCount("explosion"), 0);
    EXPECT_TRUE(sentOfType(MSG_ROCKET).empty());
    EXPECT_EQ(playerTable[1].rocketLife[0], 99);
    EXPECT_EQ(playerTable[1].rocketLife[1], 90);
    EXPECT_EQ(playerTable[1].rocketLife[2], 89);
}

TEST_F(Impacts, ContactReachIsTheRocketRadiusPlusTheShipRadius) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    placeShip(1, 10.0f, 0.0f, 0.0f);
    const float reach = ROCKET_RADIUS + SHIP_RADIUS;
    setRocket(1, 0, 200, reach, 0.0f, 0.0f);                       // just touching
    setRocket(1, 1, 200, 0.0f, std::nextafter(reach, 1.0f), 0.0f); // just clear
    simulateFrame();
    EXPECT_EQ(l.health, 99);
    EXPECT_EQ(playerTable[1].rocketLife[0], 98);
    EXPECT_EQ(playerTable[1].rocketLife[1], 199);
}

TEST_F(Impacts, APlanetComesBeforeTheShip) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    placeShip(1, 10.0f, 0.0f, 0.0f);
    addPlanet(0.0f, 0.0f, 1.0f, 0.8f);
    setRocket(1, 0, 300, 0.0f, 0.0f, 0.2f);
    simulateFrame();
    EXPECT_EQ(l.health, 100);
    EXPECT_EQ(soundCount("explosion"), 1);
    EXPECT_EQ(playerTable[1].rocketLife[0], 98);
}

TEST_F(Impacts, OwnRocketsNeverTouchTheirShipAndOthersAreNotHurtHere) {
    Player& l = placeLocal(0, 0.0f, 0.0f, 0.0f);
    setRocket(0, 0, 300, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -0.2f);
    Player& other = placeShip(1, 5.0f, 0.0f, 0.0f);
    setRocket(0, 1, 250, 5.0f, 0.0f, 0.3f, 0.0f, 0.0f, 0.3f);
    simulateFrame();
    EXPECT_EQ(l.health, 100);
    EXPECT_EQ(l.rocketLife[0], 299); // flew on through its own ship
    EXPECT_EQ(l.rocketPos[0][2], -0.2f);
    EXPECT_EQ(other.health, 100); // its own machine lowers it
    EXPECT_EQ(l.rocketLife[1], 98);
    const std::vector<NetMessage> bursts = sentOfType(MSG_ROCKET);
    ASSERT_EQ(bursts.size(), 1u); // the owner announces its rocket's impact
    EXPECT_EQ(bursts[0].word[2], 1u);
    EXPECT_EQ(bursts[0].word[3], 99u);
    EXPECT_EQ(wordFloat(bursts[0], 6), 0.3f); // where it stopped
}

TEST_F(Impacts, ARocketFliesOnWhenWhatItTouchedMovesAway) {
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    Player& other = placeShip(1, 5.0f, 0.0f, 0.0f);
    setRocket(0, 0, 250, 5.0f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f);
    simulateFrame();
    EXPECT_EQ(playerTable[0].rocketPos[0][0], 5.0f);
    other.pos[1] = 50.0f;
    simulateFrame();
    EXPECT_EQ(playerTable[0].rocketPos[0][0], 5.25f);
    EXPECT_EQ(playerTable[0].rocketVel[0][0], 0.25f);
}

using Death = WorldTest;

TEST_F(Death, TheFirstRocketToTakeTheLastPointIsCreditedOnce) {
    Player& l = placeLocal(4, 0.0f, 0.0f, 0.0f);
    l.health  = 1;
    placeShip(6, 10.0f, 0.0f, 0.0f);
    placeShip(2, 10.0f, 10.0f, 0.0f);
    setRocket(6, 0, 300, 0.1f, 0.0f, 0.0f);
    setRocket(2, 9, 300, 0.0f, 0.1f, 0.0f);
    setRocket(2, 11, 95, 0.0f, 0.0f, 0.1f);
    simulateFrame();
    EXPECT_EQ(l.health, 0); // never below 0: a dead ship is no longer hit
    EXPECT_EQ(l.killer, 2); // lowest owner slot, then lowest rocket
    EXPECT_EQ(playerTable[2].rocketLife[11], 94);
    EXPECT_EQ(playerTable[6].rocketLife[0], 299); // passed through the dead ship

    const std::vector<NetMessage> states = sentOfType(MSG_STATE);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].word[1], 4u);
    EXPECT_EQ(static_cast<int32_t>(states[0].word[2]), 2); // the death record names it
    EXPECT_EQ(static_cast<int32_t>(states[0].word[3]), 0);

    simulateFrame();
    EXPECT_EQ(l.killer, NO_KILLER);
    EXPECT_EQ(l.health, 0);
}

TEST_F(Death, AKillerNamingUsIsCreditedOnceEvenOnAFreeEntry) {
    placeLocal(1, 0.0f, 0.0f, 0.0f);
    Player& victim        = placeShip(5, 20.0f, 0.0f, 0.0f);
    victim.health         = 0;
    victim.killer         = 1;
    playerTable[7].killer = 1; // free, but the test runs for every entry
    playerTable[3].killer = 6; // someone else's kill
    simulateFrame();
    EXPECT_EQ(localScore, 2);
    EXPECT_EQ(victim.killer, NO_KILLER);
    EXPECT_EQ(playerTable[7].killer, NO_KILLER);
    EXPECT_EQ(playerTable[3].killer, 6);
    simulateFrame();
    EXPECT_EQ(localScore, 2);
}
