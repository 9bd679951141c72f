// The host's match through real records over loopback: kills only from the victims' own
// records, the end at the score limit and the next match; a joiner taking the host's arena.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

#include "net/arena_records.h"
#include "net/net.h"
#include "net/net_session.h"
#include "step/arena_choice.h"
#include "step/game_step.h"
#include "step/match_host.h"
#include "tests/support/peer.h"
#include "tests/support/portable/world_setup.h"
#include "tests/support/test_paths.h"
#include "world/step_clock.h"
#include "world/world_state.h"

namespace {
// This program's own world, network session and step state, as each program owns its own.
WorldState testWorld;
NetSession testNet;
StepState testStep;

constexpr int STEPS_MAX = 400;
constexpr int W_PHASE = 2, W_NUMBER = 6, W_WINNER = 7;
StepReport report;
uint32_t clockMs = 1000;

void step(uint32_t ms = STEP_MS) {
    clockMs += ms;
    runStep(testWorld, testNet, testStep, StepSetup{1, nullptr, nullptr}, clockMs, &report);
}

// Runs the host's steps (or a joiner's exchanges) until done holds.
bool stepUntil(const std::function<bool()>& done, bool host = true) {
    for (int n = 0; n < STEPS_MAX; ++n, usleep(200)) {
        if (done()) return true; // asked once a round: a peer's records are read only once
        host ? step() : (void)netExchange(testNet, testWorld, 0, 0);
    }
    return false;
}

// p's waiting records read: true once one of the type has word `word` at `value`.
bool peerGot(Peer& p, int32_t type, int word, int32_t value) {
    for (Record r; p.receiveRecord(&r, 1);)
        if (recordType(r) == type && recordInt(r, word) == value) return true;
    return false;
}

struct Match : ::testing::Test {
    void SetUp() override {
        freshWorld(testWorld);
        testStep              = StepState{};      // a new hosting
        testWorld.match.rules = MatchRules{1, 0}; // one kill ends it
        char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
        ASSERT_TRUE(netHostStart(testNet, GAME_PORT, "test", address, problem)) << problem;
        placeLocal(testWorld, 0, {0, 0, 0});
    }
    void TearDown() override { netShutdown(testNet); }
    static Peer join(int slot) {
        Peer p = connectPeer();
        EXPECT_TRUE(stepUntil([&] { return peerGot(p, WIRE_WELCOME, 1, slot); }));
        p.sendRecord(stateRecord({slot})); // in the game, alive
        return p;
    }
};
} // namespace

// A peer's own record of dying by itself, a record for another's ship and a claim of 50 kills.
TEST_F(Match, APeersClaimsCountNoKill) {
    Peer a = join(1);
    for (const Record& r :
         {stateRecord({1, 1, 0}), stateRecord({0, 1, 0}), playerInfoRecord(1, 50, 0, "CLAIMS")})
        a.sendRecord(r);
    ASSERT_TRUE(stepUntil([] { return testWorld.roster.kills[1] == 50; }));
    EXPECT_EQ(testWorld.match.kills[1], 0);
    EXPECT_EQ(testWorld.messages.killCount, 0)
        << "no line for a record naming its own slot as killer";
    EXPECT_EQ(testWorld.match.phase, MatchPhase::PLAYING);
}

TEST_F(Match, EndsAtTheScoreLimitWithItsWinnerAndTheNextOneStartsAfresh) {
    Peer a = join(1), b = join(2);
    b.sendRecord(stateRecord({2, 1, 0})); // destroyed by slot 1
    EXPECT_TRUE(stepUntil([&] { return peerGot(a, WIRE_MATCH, W_WINNER, 1); }));
    EXPECT_EQ(testWorld.match.phase, MatchPhase::INTERMISSION);
    testWorld.localScore               = 4;
    testWorld.players[0].rocketLife[3] = 300;
    step(INTERMISSION_MS);
    EXPECT_TRUE(stepUntil([&] { return peerGot(a, WIRE_MATCH, W_NUMBER, 2); }));
    EXPECT_EQ(testWorld.match.phase, MatchPhase::PLAYING);
    EXPECT_EQ(testWorld.localScore, 0);
    EXPECT_EQ(testWorld.players[0].rocketLife[3], 0);
    EXPECT_EQ(testWorld.match.kills[1], 0);
}

// The real join code in this process, the test as the host: the arena whole and checked is
// used before the next step; one with a wrong CRC-32 or an unknown picture is refused.
TEST(JoinerArena, UsesTheHostsArenaAndRefusesABadOne) {
    ASSERT_EQ(chdir(gameDir().c_str()), 0);
    freshWorld(testWorld);
    ASSERT_TRUE(loadUniverse(testWorld, UNIVERSE_FILE, &testWorld.planetTextures));
    ArenaDescription arena;
    char problem[ARENA_PROBLEM_TEXT_SIZE];
    ASSERT_TRUE(loadArenaFile("spiral", &arena, problem)) << problem;
    const int listener = listenAsHost();
    netJoinStart(testNet, "127.0.0.1", GAME_PORT);
    netExchange(testNet, testWorld, 0, 0);
    Peer host = acceptPeer(listener);
    NetMessage parts[MAX_ARENA_RECORDS];
    const int count = makeArenaMessages(arena, parts);
    auto send       = [&](const NetMessage* records, int n) {
        for (Record r; n-- > 0; host.sendRecord(r))
            encodeNetMessage(*records++, r.data());
    };
    const auto sent = std::chrono::steady_clock::now();
    host.sendRecord(welcomeRecord(1));
    send(parts, count);
    EXPECT_TRUE(
        stepUntil([&] { return testWorld.planets.pos[0][0] == arena.planet[0].pos[0]; }, false));
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - sent;
    std::printf("welcome to the host's arena in place: %.2f ms\n", ms.count()); // the figure
    EXPECT_EQ(testWorld.planetCount, arena.planetCount);
    const Planets used = testWorld.planets;
    NetMessage other[MAX_ARENA_RECORDS];
    parts[1].word[9] ^= 1u; // a part changed on the way: the CRC-32 no longer matches
    send(parts, count);
    std::snprintf(arena.texture[0], sizeof arena.texture[0], "%s", "nowhere"); // not loaded
    send(other, makeArenaMessages(arena, other));
    send(parts, 1); // a header alone, then nothing: nothing half-received is used
    host.sendRecord(playerInfoRecord(3, 0, 0, "MARK")); // read after all of them
    ASSERT_TRUE(stepUntil([] { return testWorld.roster.known[3]; }, false));
    EXPECT_EQ(std::memcmp(&used, &testWorld.planets, sizeof used), 0);
    netShutdown(testNet);
    close(listener);
}
