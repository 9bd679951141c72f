// A real host and joiner on displays of their own; a loopback peer kills each, shows on each
// screen once in front of it, and dies to the host's rockets, which count the kill.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <thread>

#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tools/universe_file.h"
#include "world/world_state.h"

namespace {
namespace fs       = std::filesystem;
constexpr int HOST = 0, WATCH = 1, JOINER = 2;
constexpr int WIRE_MS = 10000, ROLLS = 25; // respawns until clear of the planets
constexpr int ROCKET_HIT = 9, KILLING_SHOTS = 12, IMPACT_LIFE = 99, SEEN_PIXELS = 5;
constexpr float DEGREE = 0.017452778f, CLEAR = 4.5f; // the watcher sits 3 ahead

bool clear(const float* at) {
    for (const PlanetPlacement& p : UNIVERSE)
        if (std::hypot(at[0] - p.x, at[1] - p.y, at[2] - p.z) < p.radius + CLEAR) return false;
    return true;
}

// Pixels of one pure red, green or blue around the centre.
int shipPixels(const Picture& p, int channel) {
    int n = 0;
    for (int y = p.height / 2 - 90; y < p.height / 2 + 90; ++y)
        for (int x = p.width / 2 - 90; x < p.width / 2 + 90; ++x)
            n += p.at(x, y)[channel] >= 40 && p.at(x, y)[(channel + 1) % 3] <= 6 &&
                 p.at(x, y)[(channel + 2) % 3] <= 6;
    return n;
}

// The watcher keeps each player's latest state and kills; hitBy's impacts take ROCKET_HIT.
struct Game : public ::testing::Test {
    GameDriver host, joiner;
    Peer peer;
    WireState own             = {WATCH, WIRE_NO_KILLER, FULL_HEALTH}, seen[MAX_PLAYERS];
    long records[MAX_PLAYERS] = {}, kills[MAX_PLAYERS] = {};
    int hitBy = -1;

    void pump() {
        peer.sendRecord(stateRecord(own));
        own.killer = WIRE_NO_KILLER; // named once
        for (Record r; peer.receiveRecord(&r, 0);) {
            const int slot = recordSlot(r);
            if (slot < 0 || slot >= MAX_PLAYERS) continue;
            if (recordType(r) == WIRE_PLAYER_INFO) kills[slot] = recordInt(r, 2);
            if (recordType(r) == WIRE_STATE) seen[slot] = readState(r);
            records[slot] += recordType(r) == WIRE_STATE;
            if (recordType(r) != WIRE_ROCKET || slot != hitBy || own.health == 0) continue;
            if (readRocket(r).life != IMPACT_LIFE) continue;
            own.health = std::max(0, own.health - ROCKET_HIT);
            if (own.health == 0) own.killer = slot;
        }
    }
    bool waitFor(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(WIRE_MS);
        for (pump(); !done(); pump()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
    // A few more records, so what was done shows in them.
    WireState settled(int slot) {
        const long before = records[slot];
        waitFor([&] { return records[slot] > before + 5; });
        return seen[slot];
    }
    // Killed, the player comes back with a right click, until clear of the planets. Then the
    // watcher stands three ahead, in slot 1's blue on its screen.
    void respawnAndFaceTheWatcher(GameDriver& game, int slot) {
        for (int roll = 0; roll == 0 || (roll < ROLLS && !clear(seen[slot].pos)); ++roll) {
            const WireState was = settled(slot);
            for (int r = 0; r < KILLING_SHOTS; ++r)
                peer.sendRecord(rocketRecord({
                    WATCH, r, 300, {was.pos[0], was.pos[1], was.pos[2]}
                }));
            ASSERT_TRUE(waitFor([&] { return seen[slot].health <= 0; })) << slot;
            game.xdo("click 3");
            ASSERT_TRUE(waitFor([&] { return seen[slot].health == FULL_HEALTH; })) << slot;
            settled(slot);
        }
        const WireState s   = settled(slot);
        const float c       = std::cos(s.pitch * DEGREE); // along -z at yaw 0, down for a pitch
        const float view[3] = {std::sin(s.yaw * DEGREE) * c, -std::sin(s.pitch * DEGREE),
                               -std::cos(s.yaw * DEGREE) * c};
        for (int k = 0; k < 3; ++k)
            own.pos[k] = s.pos[k] + 3 * view[k];
        settled(slot);
        EXPECT_GE(shipPixels(game.screenshot(), 2), SEEN_PIXELS) << slot;
    }
};
} // namespace

TEST_F(Game, AHostAndAJoinerPlayTogetherOverLoopback) {
    own.pos[0] = 200; // parked out of the way
    ASSERT_TRUE(host.start({"--host", "--window"}));
    const unsigned long hostWindow = host.window("Voranis");
    ASSERT_NE(hostWindow, 0u) << host.errors();
    peer = connectPeer();
    Record welcome;
    ASSERT_TRUE(peer.receiveRecord(&welcome, WIRE_MS) && welcome == welcomeRecord(WATCH));
    ASSERT_TRUE(joiner.start({"--join", "127.0.0.1", "--window"}));
    ASSERT_TRUE(waitFor([&] { return records[JOINER] > 0 && records[HOST] > 0; }))
        << joiner.errors();
    ASSERT_NE(joiner.window("Voranis"), 0u);
    respawnAndFaceTheWatcher(joiner, JOINER);
    respawnAndFaceTheWatcher(host, HOST);
    hitBy = HOST;
    for (int burst = 0; burst < 6 && own.health > 0; ++burst) { // a shot a frame at most
        host.xdo("click --repeat " + std::to_string(KILLING_SHOTS + 2) + " --delay 40 1");
        waitFor([&] { return own.health == 0; });
    }
    EXPECT_EQ(own.health, 0);
    EXPECT_TRUE(waitFor([&] { return kills[HOST] == 1; }));
    joiner.keys(joiner.window("Voranis"), "Escape");
    EXPECT_EQ(joiner.exitCode(), 0);
    host.keys(hostWindow, "Escape");
    EXPECT_EQ(host.exitCode(), 0);
    // Each machine's demo of the match replays to the worlds it played, kill and respawns.
    for (const GameDriver* game : {&host, &joiner}) {
        const fs::path demos = game->folder() + "/data/voranis/demos";
        ASSERT_EQ(std::distance(fs::directory_iterator(demos), {}), 1) << demos;
        for (const auto& demo : fs::directory_iterator(demos)) {
            GameDriver check(false);
            check.start({"--demo", demo.path().string(), "--verify"});
            EXPECT_EQ(check.exitCode(), 0) << check.output() << check.errors();
            EXPECT_NE(check.output().find(", verified\n"), std::string::npos) << check.output();
        }
    }
}
