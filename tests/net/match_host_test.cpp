// The host's match through real records over loopback: kills only from the victims' own
// records, the end at the score limit and the next match; a joiner taking the host's arena.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

#include "app/arena_choice.h"
#include "app/game_step.h"
#include "app/match_host.h"
#include "net/arena_records.h"
#include "net/net.h"
#include "tests/support/peer.h"
#include "tests/support/test_paths.h"
#include "tests/support/world_setup.h"
#include "world/step_clock.h"

namespace {
constexpr int STEPS_MAX = 400;
constexpr int W_PHASE = 2, W_NUMBER = 6, W_WINNER = 7;
FrameReport report;
uint32_t clockMs = 1000;

void step(uint32_t ms = STEP_MS) {
    clockMs += ms;
    runStep(gameWorld, StepSetup{1, nullptr, nullptr}, clockMs, &report);
}

// Steps until p gets a record of the type that `wanted` takes.
bool stepUntil(Peer& p, int32_t type, const std::function<bool(const Record&)>& wanted) {
    for (int n = 0; n < STEPS_MAX; ++n) {
        step();
        for (Record r; p.receiveRecord(&r, 1);)
            if (recordType(r) == type && wanted(r)) return true;
    }
    return false;
}

bool stepUntilHost(const std::function<bool()>& done) {
    for (int n = 0; n < STEPS_MAX && !done(); ++n) {
        step();
        usleep(1000);
    }
    return done();
}

struct Match : ::testing::Test {
    void SetUp() override {
        freshWorld();
        resetConnSlots();
        resetHostMatch();
        gameWorld.match.rules = MatchRules{1, 0}; // one kill ends it
        char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
        ASSERT_TRUE(netHostStart(GAME_PORT, "test", address, problem)) << problem;
        placeLocal(0, {0, 0, 0});
    }
    void TearDown() override { netShutdown(); }
    static Peer join(int slot) {
        Peer p = connectPeer();
        EXPECT_TRUE(
            stepUntil(p, WIRE_WELCOME, [&](const Record& r) { return recordSlot(r) == slot; }));
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
    ASSERT_TRUE(stepUntilHost([] { return gameWorld.roster.kills[1] == 50; }));
    EXPECT_EQ(gameWorld.match.kills[1], 0);
    EXPECT_EQ(gameWorld.match.phase, MatchPhase::PLAYING);
}

TEST_F(Match, EndsAtTheScoreLimitWithItsWinnerAndTheNextOneStartsAfresh) {
    Peer a = join(1), b = join(2);
    b.sendRecord(stateRecord({2, 1, 0})); // destroyed by slot 1
    EXPECT_TRUE(stepUntil(a, WIRE_MATCH, [](const Record& r) {
        return recordInt(r, W_PHASE) == 1 && recordInt(r, W_WINNER) == 1;
    }));
    gameWorld.localScore               = 4;
    gameWorld.players[0].rocketLife[3] = 300;
    step(INTERMISSION_MS);
    EXPECT_TRUE(stepUntil(a, WIRE_MATCH, [](const Record& r) {
        return recordInt(r, W_NUMBER) == 2 && recordInt(r, W_PHASE) == 0;
    }));
    EXPECT_EQ(gameWorld.localScore, 0);
    EXPECT_EQ(gameWorld.players[0].rocketLife[3], 0);
    EXPECT_EQ(gameWorld.match.kills[1], 0);
}

// The real join code in this process, the test as the host: the arena whole and checked is
// used before the next step; one with a wrong CRC-32 or an unknown picture is refused.
TEST(JoinerArena, UsesTheHostsArenaAndRefusesABadOne) {
    ASSERT_EQ(chdir(gameDir().c_str()), 0);
    freshWorld();
    ASSERT_TRUE(loadUniverse(gameWorld, UNIVERSE_FILE, &gameWorld.planetTextures));
    ArenaDescription arena;
    char problem[ARENA_PROBLEM_TEXT_SIZE];
    ASSERT_TRUE(loadArenaFile("spiral", &arena, problem)) << problem;
    const int listener = listenAsHost();
    netJoinStart("127.0.0.1", GAME_PORT);
    netExchange(gameWorld, 0, 0);
    Peer host = acceptPeer(listener);
    NetMessage parts[MAX_ARENA_RECORDS];
    const int count          = makeArenaMessages(arena, parts);
    ArenaDescription unknown = arena;
    std::snprintf(unknown.texture[0], sizeof unknown.texture[0], "%s", "nowhere");
    NetMessage other[MAX_ARENA_RECORDS];
    const int otherCount = makeArenaMessages(unknown, other);
    const auto sent      = std::chrono::steady_clock::now();
    host.sendRecord(welcomeRecord(1));
    auto send = [&](const NetMessage* records, int n) {
        for (int k = 0; k < n; ++k) {
            Record r;
            encodeNetMessage(records[k], r.data());
            host.sendRecord(r);
        }
    };
    send(parts, count);
    auto inPlace = [&] {
        return gameWorld.planetCount == arena.planetCount &&
               gameWorld.planets.pos[0][0] == arena.planet[0].pos[0];
    };
    for (int n = 0; n < STEPS_MAX && !inPlace(); ++n) {
        netExchange(gameWorld, 0, 0);
        usleep(100);
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
    std::printf("welcome to the host's arena in place: %.2f ms (%d records)\n", ms, count);
    EXPECT_TRUE(inPlace());
    const Planets used = gameWorld.planets;
    parts[1].word[9] ^= 1u; // a part changed on the way: the CRC-32 no longer matches
    send(parts, count);
    send(other, otherCount);
    send(parts, 1); // a header alone, then nothing: nothing half-received is used
    host.sendRecord(playerInfoRecord(3, 0, 0, "MARK")); // read after all of them
    for (int n = 0; n < STEPS_MAX && !gameWorld.roster.known[3]; ++n) {
        netExchange(gameWorld, 0, 0);
        usleep(100);
    }
    ASSERT_TRUE(gameWorld.roster.known[3]);
    EXPECT_EQ(std::memcmp(&used, &gameWorld.planets, sizeof used), 0);
    netShutdown();
    close(listener);
}
