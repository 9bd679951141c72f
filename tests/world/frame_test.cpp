// The frame as a whole: its fixed calls, the turning angles and the 15 ms floor.
#include "app/platform.h"
#include "tests/world/world_fixture.h"
#include "world/frame_update.h"

using Frame = WorldTest;

TEST_F(Frame, PulseTakesThirtySixValuesThenZeroAgain) {
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    for (int n = 1; n < 36; ++n) {
        simulateFrame();
        EXPECT_EQ(pulseAngle, 10.0f * static_cast<float>(n));
    }
    simulateFrame();
    EXPECT_EQ(pulseAngle, 0.0f);
}

TEST_F(Frame, AnglesReachingTheLimitGoBackToZeroNotModulo) {
    spinAngle  = 359.9f;
    pulseAngle = 355.0f;
    simulateFrame();
    EXPECT_EQ(spinAngle, 0.0f);  // not 0.1
    EXPECT_EQ(pulseAngle, 0.0f); // not 5

    spinAngle = 359.7f;
    simulateFrame();
    EXPECT_EQ(spinAngle, 359.7f + 0.2f);
    EXPECT_LT(spinAngle, 360.0f);
}

TEST_F(Frame, SpinNeverShowsAValueOfThreeSixtyOrMore) {
    int wraps = 0;
    for (int n = 0; n < 4000; ++n) {
        const float before = spinAngle;
        simulateFrame();
        ASSERT_LT(spinAngle, 360.0f);
        if (spinAngle == 0.0f) {
            ++wraps;
            EXPECT_GE(before + 0.2f, 360.0f);
        }
    }
    EXPECT_EQ(wraps, 2);
}

TEST_F(Frame, EachFrameResetsTheKillerSendsStateAndCentresTheCursor) {
    Player& l = placeLocal(3, 1.0f, 2.0f, 3.0f, 10.0f, 20.0f);
    l.killer  = 5;
    simulateFrame();
    EXPECT_EQ(l.killer, NO_KILLER);
    ASSERT_EQ(fakeRecord.sent.size(), 1u);
    const NetMessage& state = fakeRecord.sent[0];
    EXPECT_EQ(static_cast<int32_t>(state.word[0]), MSG_STATE);
    EXPECT_EQ(state.word[1], 3u);
    EXPECT_EQ(static_cast<int32_t>(state.word[2]), NO_KILLER);
    EXPECT_EQ(wordFloat(state, 7), 10.0f);
    EXPECT_EQ(fakeRecord.cursorCentrings, 1);
    EXPECT_EQ(soundCount("listener"), 1);
}

TEST_F(Frame, NoSoundCallsWithSoundOff) {
    gameSetup.soundEnabled = 0;
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    placeShip(1, 10.0f, 0.0f, 0.0f);
    setRocket(1, 0, 300, 0.0f, 0.0f, 0.1f);
    controls.fire = 1;
    simulateFrame();
    EXPECT_TRUE(fakeRecord.sounds.empty());
    EXPECT_EQ(playerTable[0].health, 99);
    EXPECT_EQ(sentOfType(MSG_ROCKET).size(), 1u);
}

TEST_F(Frame, TheJoinerAloneChecksForSilence) {
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    gameSetup.isServer = 1;
    runFrame();
    EXPECT_EQ(fakeRecord.exchanges, 1);
    EXPECT_EQ(fakeRecord.timeoutChecks, 0);

    gameSetup.isServer = 0;
    runFrame();
    EXPECT_EQ(fakeRecord.exchanges, 2);
    EXPECT_EQ(fakeRecord.timeoutChecks, 1);
}

TEST_F(Frame, TheFloorCountsAcrossTheClockWrap) {
    uint32_t clock       = 5;
    fakeRecord.fakeClock = &clock;
    frameStart           = 0xFFFFFFF6u; // 15 ms before the clock, across 2^32
    waitFrameFloor();                   // returns at once; a signed or widened
    fakeRecord.fakeClock = nullptr;     // difference would wait forever here
    SUCCEED();
}

TEST_F(Frame, NoFrameEndsInUnderFifteenMilliseconds) {
    placeLocal(0, 0.0f, 0.0f, 0.0f);
    for (int n = 0; n < 20; ++n) {
        runFrame();
        const uint32_t elapsed = platformMilliseconds() - frameStart;
        EXPECT_GE(elapsed, FRAME_FLOOR_MS) << "frame " << n;
    }
}

// One step reports, in order: the listener, the shot's sound and launch record (as launched,
// before the rocket's first move), then per rocket in table order an explosion's sound and,
// for the local player's own, its hit record; the state comes last.
TEST_F(Frame, ReportsRecordsAndSoundsInTheOrderTheyHappen) {
    placeLocal(2, 0.0f, 0.0f, 0.0f);
    addPlanet(0.0f, 50.0f, 0.0f, 1.0f);
    setRocket(1, 4, 250, 0.0f, 50.0f, 1.05f); // a peer's rocket bursting on the planet
    placeShip(1, 20.0f, 0.0f, 0.0f);
    setRocket(2, 0, 200, 0.0f, 48.95f, 0.0f); // our own, bursting on it too
    controls.fire = 1;
    FrameReport report;
    ::simulateFrame(&report);
    using K            = FrameEventKind;
    const K expected[] = {K::LISTENER,        K::SHOT_SOUND,      K::ROCKET_RECORD,
                          K::EXPLOSION_SOUND, K::EXPLOSION_SOUND, K::ROCKET_RECORD,
                          K::STATE_RECORD};
    ASSERT_EQ(report.count, 7);
    for (int n = 0; n < report.count; ++n)
        EXPECT_EQ(report.event[n].kind, expected[n]) << "event " << n;
    EXPECT_EQ(report.event[2].rocket, 1); // slot 0 was busy, so the shot took 1
    EXPECT_EQ(report.event[2].life, ROCKET_LAUNCH_LIFE);
    EXPECT_EQ(report.event[2].pos[2], 0.0f); // where it left, not where it flew this frame
    EXPECT_EQ(report.event[4].pos[1], 48.95f);
    EXPECT_EQ(report.event[5].rocket, 0);
    EXPECT_EQ(report.event[5].life, ROCKET_BURST_LIFE);
    EXPECT_EQ(report.event[6].slot, 2);
    EXPECT_TRUE(report.centreCursor);
}
