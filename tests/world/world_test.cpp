// The world's rules, each step's records caught by the step's send hook and its sounds read
// from its report in the order the game plays them.
#include <gtest/gtest.h>

#include <cmath>

#include "net/net_session.h"
#include "step/step_loop.h"
#include "step/step_records.h"
#include "tests/support/portable/record_capture.h"
#include "tests/support/portable/world_setup.h"
#include "world/contact.h"
#include "world/control_state.h"
#include "world/random.h"
#include "world/step_input.h"
#include "world/step_simulation.h"
#include "world/world_state.h"

namespace {
const float REACH = ROCKET_RADIUS + SHIP_RADIUS, BEYOND = std::nextafter(REACH, 1.0f);

// This program's own world, network session and step state, as each program owns its own.
WorldState testWorld;
NetSession testNet;
StepState testStep;

enum class Call : uint8_t { SEND, LISTENER, SHOT, EXPLOSION };
struct StepCall {
    Call what;
    Record record; // SEND: the record as it would travel
    float pos[3];  // sounds: where
};
std::vector<StepCall> calls; // sends and sounds, in the order they came

void sent(const NetMessage& msg, void*) {
    std::vector<Record> one;
    captureRecord(msg, &one);
    calls.push_back({Call::SEND, one.at(0), {}});
}

// The report's sounds, as the game plays them.
void heard(const StepReport& report) {
    for (int n = 0; n < report.count; ++n) {
        const StepEvent& e = report.event[n];
        const Call what    = e.kind == StepEventKind::LISTENER          ? Call::LISTENER
                             : e.kind == StepEventKind::SHOT_SOUND      ? Call::SHOT
                             : e.kind == StepEventKind::EXPLOSION_SOUND ? Call::EXPLOSION
                                                                        : Call::SEND;
        if (what != Call::SEND)
            calls.push_back({
                what, {        },
                 { e.pos[0], e.pos[1], e.pos[2]}
            });
    }
}

std::vector<Record> sentOfType(int32_t type) {
    std::vector<Record> out;
    for (const StepCall& c : calls)
        if (c.what == Call::SEND) out.push_back(c.record);
    return ofType(out, type);
}

int callsOf(Call what) {
    return int(std::count_if(calls.begin(), calls.end(),
                             [&](const StepCall& c) { return c.what == what; }));
}

struct World : ::testing::Test {
    void SetUp() override {
        freshWorld(testWorld);
        calls.clear();
    }
    static void step(int frames = 1) {
        static StepReport report;
        for (int n = 0; n < frames; ++n) {
            simulateStep(testWorld, &report);
            sendStepRecords(testWorld, RecordOut{testNet, sent, nullptr}, report);
            heard(report);
        }
    }
    // The game's own degree factor leaves its axes a hair off.
    static void expectAt(const float* p, Vec3 want) {
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(p[a], want[a], 2e-5f) << "axis " << a;
    }
};
} // namespace

TEST_F(World, ArrowsMoveTheShipAlongItsViewAndContactsSendItOneStepBack) {
    enum Around { EMPTY, PLANET_AHEAD, SHIP_LEFT, GHOSTS_AHEAD };
    const struct {
        const char* what;
        ControlState keys; // forward, backward, left, right, vertical, fire
        float yaw, pitch;
        Around around;
        Vec3 moved;
    } cases[] = {
  // clang-format off
        {"forward looks along -z",     {1, 0, 0, 0, 0, 0}, 0,  0,   EMPTY,        {0, 0, -0.055f}},
        {"yaw 90, pitched down",       {1, 0, 0, 0, 0, 0}, 90, 30,  EMPTY,        {0.047631f, -0.0275f, 0}},
        {"backward",                   {0, 1, 0, 0, 0, 0}, 90, 0,   EMPTY,        {-0.055f, 0, 0}},
        {"right slides right, level",  {0, 0, 0, 1, 0, 0}, 90, 45,  EMPTY,        {0, 0, 0.045f}},
        {"Ctrl: climbs, whatever the view", {1, 0, 0, 0, 1, 0}, 45, 60, EMPTY,   {0, 0.045f, 0}},
        {"and sinks",                  {0, 1, 0, 0, 1, 0}, 45, 60,  EMPTY,        {0, -0.045f, 0}},
        {"opposite keys cancel",       {1, 1, 1, 1, 0, 0}, 33, -20, EMPTY,        {0, 0, 0}},
        {"a planet: one step back",    {1, 0, 0, 0, 0, 0}, 90, 0,   PLANET_AHEAD, {-0.055f, 0, 0}},
        {"a live ship too",            {0, 0, 1, 0, 0, 0}, 0,  0,   SHIP_LEFT,    {0.045f, 0, 0}},
        {"dead and free ships do not", {1, 0, 0, 0, 0, 0}, 90, 0,   GHOSTS_AHEAD, {0.055f, 0, 0}},
  // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Player& l = placeLocal(testWorld, 0, {0, 0, 0}, c.yaw, c.pitch);
        if (c.around == PLANET_AHEAD) placePlanet(testWorld, {1, 0, 0}, 0.6f);
        if (c.around == SHIP_LEFT) placeShip(testWorld, 3, {-0.77f, 0, 0});
        if (c.around == GHOSTS_AHEAD) placeShip(testWorld, 1, {0.3f, 0, 0}).health = 0;
        if (c.around == GHOSTS_AHEAD) placeShip(testWorld, 2, {0.3f, 0, 0}).slot = FREE_SLOT;
        testWorld.input.controls = c.keys;
        step();
        expectAt(l.pos, c.moved);
    }
}

// A click takes the lowest rocket below life 50; it flies at five view steps 200 frames, bursts
// unheard, and frees its slot 251 frames after launch.
TEST_F(World, AShotTakesTheLowestFreeRocketFliesItsLifeAndFreesItsSlot) {
    Player& l = placeLocal(testWorld, 0, {1, 2, 3}, 90, 30);
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j)
        l.rocketLife[j] = 60;
    l.rocketLife[7]          = 49;
    l.rocketLife[4]          = -3;                 // a peer may send anything: the test is signed
    testWorld.input.controls = {0, 0, 0, 0, 1, 1}; // climbing while it fires
    step();
    const WireRocket k = readRocket(sentOfType(WIRE_ROCKET).at(0));
    EXPECT_EQ(k.index, 4);
    EXPECT_EQ(k.life, ROCKET_LAUNCH_LIFE); // as launched, before its first flight
    expectAt(k.pos, {1, 2, 3});
    float f[3];
    forwardStep(90, 30, &f[0], &f[1], &f[2]);
    expectAt(k.vel, {5 * f[0], 5 * f[1], 5 * f[2]});
    expectAt(calls.at(3).pos, {1, 3, 3});        // the shot heard one unit above the ship
    for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) // the others busy from now on
        l.rocketLife[j] = j == 4 ? l.rocketLife[j] : 300;
    step(199);
    EXPECT_EQ(l.rocketLife[4], 100); // still a rocket
    step();
    EXPECT_EQ(l.rocketLife[4], 99); // a burst now, unheard
    EXPECT_EQ(callsOf(Call::EXPLOSION), 0);
    step(49);
    testWorld.input.controls.fire = 1; // frame 251: still busy, the click is dropped
    step();
    EXPECT_EQ(l.rocketLife[4], 49);
    EXPECT_EQ(testWorld.input.controls.fire, 0);
    testWorld.input.controls.fire = 1;
    step();
    EXPECT_EQ(sentOfType(WIRE_ROCKET).size(), 2u);
    l.health                      = 0; // a dead ship keeps its click for after the respawn
    testWorld.input.controls.fire = 1;
    step(3);
    EXPECT_EQ(testWorld.input.controls.fire, 1);
    EXPECT_EQ(callsOf(Call::SHOT), 2);

    placeRocket(testWorld, 0, 5, 1, {4, 4, 4}, {1, 0, 0}); // its last frame, then it rests
    placeShip(testWorld, 1, {50, 0, 0}).slot = FREE_SLOT;  // a free entry's rockets do not move
    placeRocket(testWorld, 1, 3, 250, {10, 0, 0}, {0.5f, 0, 0});
    step(2);
    expectAt(l.rocketPos[5], {5, 4, 4});
    EXPECT_EQ(l.rocketLife[5], 0);
    EXPECT_EQ(testWorld.players[1].rocketLife[3], 250);
}

TEST_F(World, RocketsBurstOnWhatTheyTouchAndOnlyAPeersRocketHurtsUs) {
    const struct {
        const char* what;
        int32_t owner, life;
        Vec3 at;
        int32_t health, lifeAfter, explosions, records;
    } cases[] = {
  // clang-format off
        {"a peer's rocket bursts on us",     1, 300, {0.2f, 0, 0},   99,  98,  1, 0},
        {"lives 91 to 100 hurt, not burst",  1, 100, {0, 0.3f, 0},   99,  99,  0, 0},
        {"",                                 1, 91,  {0, -0.3f, 0},  99,  90,  0, 0},
        {"below 91 harmless",                1, 90,  {0.3f, 0, 0},   100, 89,  0, 0},
        {"reach: rocket plus ship radius",   1, 200, {REACH, 0, 0},  99,  98,  1, 0},
        {"a float beyond it flies on",       1, 200, {BEYOND, 0, 0}, 100, 199, 0, 0},
        {"our own passes our ship",          0, 300, {0, 0, 0},      100, 299, 0, 0},
        {"ours on a peer: burst and told",   0, 250, {10, 0, 0.3f},  100, 98,  1, 1},
  // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        placeLocal(testWorld, 0, {0, 0, 0});
        placeShip(testWorld, 1, {10, 0, 0});
        placePlanet(testWorld, {0, 0, 5}, 1);
        placeRocket(testWorld, c.owner, 4, c.life, c.at);
        step();
        EXPECT_EQ(testWorld.players[0].health, c.health);
        EXPECT_EQ(testWorld.players[c.owner].rocketLife[4], c.lifeAfter);
        EXPECT_EQ(callsOf(Call::EXPLOSION), c.explosions);
        EXPECT_EQ(sentOfType(WIRE_ROCKET).size(), size_t(c.records));
    }
}

TEST_F(World, TheLastPointGoesToTheFirstRocketAndEachOwnerCountsItsKillsOnce) {
    placeLocal(testWorld, 4, {0, 0, 0}).health = 1;
    placeShip(testWorld, 6, {10, 0, 0});
    placeShip(testWorld, 2, {10, 10, 0});
    placeRocket(testWorld, 6, 0, 300, {0.1f, 0, 0});
    placeRocket(testWorld, 2, 9, 300, {0, 0.1f, 0});
    step();
    const WireState said = readState(sentOfType(WIRE_STATE).at(0));
    EXPECT_EQ(said.slot, 4);
    EXPECT_EQ(said.killer, 2) << "the lowest owner first";
    EXPECT_EQ(said.health, 0);
    EXPECT_EQ(testWorld.players[6].rocketLife[0], 299) << "a dead ship is no obstacle";
    step();
    EXPECT_EQ(testWorld.players[4].killer, NO_KILLER);
    placeShip(testWorld, 5, {20, 0, 0}).killer = 4; // a victim naming us, even on a free entry
    testWorld.players[7].killer                = 4;
    testWorld.players[3].killer                = 6; // someone else's kill
    step(2);
    EXPECT_EQ(testWorld.localScore, 2);
    EXPECT_EQ(testWorld.players[3].killer, 6);
}

TEST_F(World, SpawnPlacesTheLocalShipAliveAndStillAtAFreeIntegerPointOfTheCube) {
    Player& p       = testWorld.players[3];
    p.health        = -2;
    p.yaw           = 123;
    p.rocketLife[5] = 280;
    gameSrand(1); // draws 41, 18467, 6334
    spawnLocalPlayer(testWorld, 3);
    spawnLocalPlayer(testWorld, MAX_PLAYERS); // outside the table: nothing
    EXPECT_EQ(testWorld.localPlayer, 3);
    EXPECT_EQ(p.slot, 3);
    EXPECT_EQ(p.health, FULL_HEALTH);
    expectAt(p.pos, {11, 17, 4});
    EXPECT_EQ(p.yaw, 0);
    EXPECT_EQ(p.rocketLife[5], 0);
    // All but the corner (-30, -30, -30) covered: the scan finds it.
    placePlanet(testWorld, {1000, 1000, 1000}, std::sqrt(3.0f) * 1030 - 0.3f - SHIP_RADIUS);
    spawnLocalPlayer(testWorld, 2);
    expectAt(testWorld.players[2].pos, {-30, -30, -30});
    placePlanet(testWorld, {0, 0, 0}, 100); // no free point at all: it still returns
    spawnLocalPlayer(testWorld, 6);
    EXPECT_EQ(testWorld.localPlayer, 6);
}

// The records in the order they happened (launch, our burst, the state last), then the
// listener, the shot and an explosion per rocket.
TEST_F(World, OneStepReportsWhatHappenedInOrder) {
    placeLocal(testWorld, 2, {0, 0, 0});
    placePlanet(testWorld, {0, 50, 0}, 1);
    placeRocket(testWorld, 1, 4, 250, {0, 50, 1.05f}); // a peer's rocket bursting on the planet
    placeShip(testWorld, 1, {20, 0, 0});
    placeRocket(testWorld, 2, 0, 200, {0, 48.95f, 0}); // ours, bursting on it too
    testWorld.input.controls.fire = 1;
    step();
    const Call order[] = {Call::SEND, Call::SEND,      Call::SEND,     Call::LISTENER,
                          Call::SHOT, Call::EXPLOSION, Call::EXPLOSION};
    ASSERT_EQ(calls.size(), std::size(order));
    for (size_t n = 0; n < std::size(order); ++n)
        EXPECT_EQ(calls[n].what, order[n]) << "call " << n;
    EXPECT_EQ(calls[6].pos[1], 48.95f);
    EXPECT_EQ(readRocket(calls[1].record).life, ROCKET_BURST_LIFE);
    EXPECT_EQ(recordType(calls[2].record), WIRE_STATE);
}

namespace {
// The step loop's hooks on a clock the test moves: its waits move it on instead of sleeping.
struct Loop {
    uint32_t clockMs;
    uint32_t waitedMs; // what the loop waited, in all
    std::vector<Record> sent;
};

uint64_t loopClockUs(void* context) {
    return uint64_t(static_cast<Loop*>(context)->clockMs) * 1000;
}

void loopWait(uint32_t, uint32_t microseconds, void* context) {
    Loop& loop = *static_cast<Loop*>(context);
    loop.clockMs += (microseconds + 999) / 1000;
    loop.waitedMs += (microseconds + 999) / 1000;
}

void loopSend(const NetMessage& msg, void* context) {
    captureRecord(msg, &static_cast<Loop*>(context)->sent);
}

void rocketArrives(WorldState& world, void*) {
    placeRocket(world, 1, 0, 300, {0.1f, 0, 0}); // on us
}

bool goOn(WorldState&, uint32_t, const StepResult&, const StepReport&, void*) {
    return true;
}
} // namespace

TEST_F(World, TheStepsOwedTakeWhatArrivedAndWaitOutTheirFloorAcrossTheClockWrap) {
    Loop loop{0xFFFFFFF8u, 0, {}};
    placeLocal(testWorld, 0, {0, 0, 0});
    placeShip(testWorld, 1, {10, 0, 0});
    testStep = StepState{};
    StepClock clock{};
    static StepReport report;
    const StepLoopHooks hooks{goOn, nullptr, nullptr};
    const StepSetup host{1, rocketArrives, &loop, loopSend, loopClockUs, loopWait};
    ASSERT_TRUE(runStepsOwed(testWorld, testNet, testStep, host, clock, &report, hooks));
    EXPECT_EQ(readState(ofType(loop.sent, WIRE_STATE).at(0)).health, 99) << "stepped before";
    EXPECT_GE(loop.clockMs - 0xFFFFFFF8u, STEP_MS);
    EXPECT_GT(loop.waitedMs, 0u) << "the network had no wait";
    EXPECT_EQ(testNet.join.globalTimeout, 0u) << "the host checks silence";
    const StepSetup joiner{0, nullptr, &loop, loopSend, loopClockUs, loopWait};
    runStepsOwed(testWorld, testNet, testStep, joiner, clock, &report, hooks);
    EXPECT_EQ(testNet.join.globalTimeout, UINT32_MAX) << "a joiner counts one silent step";
}

TEST(StepInput, PitchStopsStraightUpAndDownAndYawWraps) {
    float yaw = 350.0f, pitch = 80.0f;
    turnView(yaw, pitch, 30.0f, 30.0f);
    EXPECT_FLOAT_EQ(yaw, 20.0f);
    EXPECT_EQ(pitch, 90.0f);
    turnView(yaw, pitch, -30.0f, -300.0f);
    EXPECT_FLOAT_EQ(yaw, 350.0f);
    EXPECT_EQ(pitch, -90.0f);
}

// Where a remote ship is drawn at atMs after two records at x = first (yaw 350) and x = second,
// the second at 1000 ms.
struct TrackCase {
    float firstX, secondX, secondYaw, x, yaw;
    int32_t firstHealth;
    uint32_t atMs;
};
TEST(RemoteTrack, GlidesFromWhereItWasDrawnToTheNewestRecordAndSnapsOnARespawnOrAJump) {
    const TrackCase cases[] = {
        {0.0f, 2.0f, 350.0f, 0.0f, 350.0f, 100, 1000}, // the glide starts where it was drawn
        {0.0f, 2.0f, 350.0f, 1.0f, 350.0f, 100, 1050}, // halfway
        {0.0f, 2.0f, 350.0f, 2.0f, 350.0f, 100, 1900}, // at the record, never beyond it
        {0.0f, 2.0f, 10.0f,  1.0f, 360.0f, 100, 1050}, // yaw the short way round
        {0.0f, 2.0f, 350.0f, 2.0f, 350.0f, 0,   1000}, // a respawn snaps
        {0.0f, 9.0f, 350.0f, 9.0f, 350.0f, 100, 1000}, // so does a jump
    };
    for (const TrackCase& c : cases) {
        RemoteTrack track{};
        trackRecord(track,
                    TrackPose{
                        {c.firstX, 0.0f, 0.0f},
                        350.0f, 0.0f
        },
                    c.firstHealth, true, 0);
        trackRecord(track,
                    TrackPose{
                        {c.secondX, 0.0f, 0.0f},
                        c.secondYaw, 0.0f
        },
                    FULL_HEALTH, false, 1000);
        const TrackPose pose = trackPoseAt(track, c.atMs);
        EXPECT_FLOAT_EQ(pose.pos[0], c.x) << c.atMs;
        EXPECT_FLOAT_EQ(pose.yaw, c.yaw) << c.atMs;
    }
}

// Steps owed on one clock, call after call: the first call, early, on time, three late, so
// late that eight run and the rest is let go; then a fresh clock across the 32-bit wrap.
TEST(StepClock, OwesTheStepsTheClockPassedAtMostEightInARow) {
    // clang-format off
    const struct { bool fresh; uint32_t now; int count; uint32_t first, next; } calls[] = {
        {true,  1000, 1, 1000, 1015}, {false, 1010, 0, 1015, 1015}, {false, 1015, 1, 1015, 1030},
        {false, 1061, 3, 1030, 1075}, {false, 1275, 8, 1170, 1290},
        {true,  0xFFFFFFF0u, 1, 0xFFFFFFF0u, 0xFFFFFFFFu}, {false, 14, 2, 0xFFFFFFFFu, 29}};
    // clang-format on
    StepClock clock{};
    for (const auto& c : calls) {
        if (c.fresh) clock = StepClock{};
        const StepsDue due = takeStepsDue(clock, c.now);
        EXPECT_EQ(due.count, c.count) << c.now;
        EXPECT_EQ(due.firstMs, c.first) << c.now;
        EXPECT_EQ(clock.nextStepMs, c.next) << c.now;
    }
}
