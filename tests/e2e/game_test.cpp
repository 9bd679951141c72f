// The whole game over loopback: a real host and a real joiner, each on a display of its own,
// and a loopback peer watching the wire. The host fires at the watcher placed in front of it
// until it dies and counts the kill; the real players die and come back until they are in
// clear sight of each other, fly up to each other and each sees the other's ship.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tools/universe_file.h"
#include "world/world_state.h"

namespace {
using V3 = std::array<float, 3>;

constexpr int HOST = 0, WATCH = 1, JOINER = 2;
constexpr int WIRE_MS = 10000, FLIGHT_MS = 60000; // what comes over the wire; 40 units of flight
constexpr float LOOK_STEP = 0.3f, DEGREE = 0.017452778f; // degrees per pixel of mouse motion
constexpr int ROCKET_HIT = 9, KILLING_SHOTS = 12, IMPACT_LIFE = 99;
constexpr float IN_SIGHT = 40.0f, CLOSE = 15.0f; // apart: to fly up to; a few dozen pixels
constexpr float OFF_CENTRE = 4.0f;         // degrees, so the crosshair does not cover the ship
constexpr int SEEN_PIXELS = 5, ROLLS = 25; // respawns until the two are in clear sight
const WireState PARKED = {
    WATCH, WIRE_NO_KILLER, FULL_HEALTH, {200, 0, 0}
};

V3 plus(V3 a, V3 b, float k = 1) {
    return {a[0] + k * b[0], a[1] + k * b[1], a[2] + k * b[2]};
}
float length(V3 a) {
    return std::hypot(a[0], a[1], a[2]);
}
V3 pos(const WireState& s) {
    return {s.pos[0], s.pos[1], s.pos[2]};
}
// Where a ship looks: along -z at yaw 0, +x at yaw 90, down for a positive pitch.
V3 view(const WireState& s) {
    const float c = std::cos(s.pitch * DEGREE);
    return {std::sin(s.yaw * DEGREE) * c, -std::sin(s.pitch * DEGREE),
            -std::cos(s.yaw * DEGREE) * c};
}
// No planet within margin of the segment, looked at every fiftieth of its length.
bool clear(V3 from, V3 to, float margin) {
    for (float t = 0; t <= 1; t += 0.02f)
        for (const PlanetPlacement& p : UNIVERSE)
            if (length(plus(plus(from, plus(to, from, -1), t), {p.x, p.y, p.z}, -1)) <
                p.radius + margin)
                return false;
    return true;
}

// Pixels of one slot colour (pure red, green or blue) around the centre.
int shipPixels(const Picture& p, int channel) {
    int n = 0;
    for (int y = p.height / 2 - 90; y < p.height / 2 + 90; ++y)
        for (int x = p.width / 2 - 90; x < p.width / 2 + 90; ++x)
            n += p.at(x, y)[channel] >= 40 && p.at(x, y)[(channel + 1) % 3] <= 6 &&
                 p.at(x, y)[(channel + 2) % 3] <= 6;
    return n;
}

// The watcher: a loopback peer that sends its state, keeps every player's latest, kills and
// deaths, and, while hit by one shooter, takes the most a rocket takes for each impact.
struct Game : public ::testing::Test {
    GameDriver host, joiner;
    Peer peer;
    WireState own             = PARKED, seen[MAX_PLAYERS];
    long records[MAX_PLAYERS] = {}, kills[MAX_PLAYERS] = {};
    std::vector<WireState> deaths;
    int hitBy = -1;

    void pump() {
        peer.sendRecord(stateRecord(own));
        own.killer = WIRE_NO_KILLER; // named once
        for (Record r; peer.receiveRecord(&r, 0);) {
            const int slot = recordSlot(r);
            if (slot < 0 || slot >= MAX_PLAYERS) continue;
            if (recordType(r) == WIRE_PLAYER_INFO) kills[slot] = recordInt(r, 2);
            if (recordType(r) == WIRE_STATE) {
                seen[slot] = readState(r);
                ++records[slot];
                if (seen[slot].killer != WIRE_NO_KILLER) deaths.push_back(seen[slot]);
            }
            if (recordType(r) != WIRE_ROCKET || slot != hitBy || own.health == 0) continue;
            if (readRocket(r).life != IMPACT_LIFE) continue;
            own.health = std::max(0, own.health - ROCKET_HIT);
            if (own.health == 0) own.killer = slot;
        }
    }
    bool waitFor(const std::function<bool()>& done, int waitMs = WIRE_MS) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        for (pump(); !done(); pump()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
    // A few more of the player's records, so what was done before shows in them.
    WireState settled(int slot) {
        const long before = records[slot];
        waitFor([&] { return records[slot] > before + 5; });
        return seen[slot];
    }
    // Turns a real player's view towards a point, or that many degrees nearer the horizon.
    bool aim(GameDriver& game, int slot, V3 at, float off = 0) {
        for (int round = 0; round < 20; ++round) {
            const WireState s = settled(slot);
            const V3 d        = plus(at, pos(s), -1);
            const float yaw   = std::remainder(std::atan2(d[0], -d[2]) / DEGREE - s.yaw, 360.0f);
            const float goal  = -std::asin(d[1] / length(d)) / DEGREE;
            const float pitch = goal - std::copysign(off, goal) - s.pitch;
            if (std::fabs(yaw) < LOOK_STEP && std::fabs(pitch) < LOOK_STEP) return true;
            game.xdo("mousemove_relative -- " +
                     std::to_string(std::clamp(int(std::lround(yaw / LOOK_STEP)), -200, 200)) +
                     " " +
                     std::to_string(std::clamp(int(std::lround(pitch / LOOK_STEP)), -150, 150)));
        }
        return false;
    }
    float apart() { return length(plus(pos(seen[HOST]), pos(seen[JOINER]), -1)); }
    // The watcher's rockets kill a real player, which names its killer; a right click brings
    // it back at full health elsewhere.
    bool respawn(GameDriver& game, int slot) {
        const WireState was = settled(slot);
        for (int r = 0; r < KILLING_SHOTS; ++r)
            peer.sendRecord(rocketRecord({
                WATCH, r, 300, {was.pos[0], was.pos[1], was.pos[2]}
            }));
        if (!waitFor([&] { return seen[slot].health <= 0; })) return false;
        EXPECT_TRUE(!deaths.empty() && deaths.back().slot == slot && deaths.back().killer == WATCH)
            << "the dead player names no killer";
        game.xdo("click 3");
        const bool back = waitFor([&] { return seen[slot].health == FULL_HEALTH; });
        EXPECT_NE(pos(seen[slot]), pos(was)) << "slot " << slot << " came back where it died";
        return back;
    }
};
} // namespace

TEST_F(Game, AHostAndAJoinerPlayTogetherOverLoopback) {
    ASSERT_TRUE(host.start({
        {"--host", "--window"}
    }));
    const unsigned long hostWindow = host.window("Voranis");
    ASSERT_NE(hostWindow, 0u) << host.errors();
    peer = connectPeer();
    Record welcome;
    ASSERT_TRUE(peer.receiveRecord(&welcome, WIRE_MS));
    ASSERT_EQ(recordType(welcome), WIRE_WELCOME);
    ASSERT_EQ(recordSlot(welcome), WATCH);
    ASSERT_TRUE(joiner.start({
        {"--join", "127.0.0.1", "--window"}
    }));
    ASSERT_TRUE(waitFor([&] { return records[JOINER] > 0 && records[HOST] > 0; }))
        << "the joiner's records do not come through the host: " << joiner.errors();
    const unsigned long joinerWindow = joiner.window("Voranis");
    ASSERT_NE(joinerWindow, 0u);

    // The host comes back elsewhere until it is clear of every planet; then the watcher three
    // ahead of it takes its rockets until it dies, and the host counts the kill.
    for (int roll = 0; roll < ROLLS && !clear(pos(settled(HOST)), pos(seen[HOST]), 4.5f); ++roll)
        ASSERT_TRUE(respawn(host, HOST)) << "the host did not die and come back";
    const V3 ahead = plus(pos(seen[HOST]), view(seen[HOST]), 3);
    std::copy(ahead.begin(), ahead.end(), own.pos);
    hitBy = HOST;
    settled(HOST);
    EXPECT_EQ(kills[HOST], 0);
    for (int burst = 0; burst < 6 && own.health > 0; ++burst) { // a shot a frame at most
        host.xdo("click --repeat " + std::to_string(KILLING_SHOTS + 2) + " --delay 40 1");
        waitFor([&] { return own.health == 0; }, 1000);
    }
    EXPECT_EQ(own.health, 0) << "the host's rockets did not kill the peer in front of it";
    EXPECT_TRUE(waitFor([&] { return kills[HOST] == 1; })) << "the host does not count its kill";
    own = PARKED;

    // The joiner dies and comes back until it is in clear sight of the host.
    bool inSight = false;
    for (int roll = 0; roll < ROLLS && !inSight; ++roll) {
        ASSERT_TRUE(respawn(joiner, JOINER)) << "the joiner did not die and come back";
        const V3 a = pos(settled(HOST)), b = pos(seen[JOINER]);
        inSight = length(plus(a, b, -1)) < IN_SIGHT && clear(a, b, 1.5f);
    }
    ASSERT_TRUE(inSight) << "the joiner never came back in sight of the host";

    // They fly up to each other along their views, and stop when Up is let go.
    ASSERT_TRUE(aim(host, HOST, pos(seen[JOINER])) && aim(joiner, JOINER, pos(seen[HOST])));
    host.xdo("windowfocus --sync " + std::to_string(hostWindow) + " keydown Up");
    joiner.xdo("windowfocus --sync " + std::to_string(joinerWindow) + " keydown Up");
    EXPECT_TRUE(waitFor([&] { return apart() < CLOSE; }, FLIGHT_MS)) << "they did not meet";
    host.xdo("keyup Up");
    joiner.xdo("keyup Up");
    const V3 stopped = pos(settled(JOINER));
    EXPECT_EQ(pos(settled(JOINER)), stopped) << "the joiner flies on after Up was let go";

    // Each sees the other's ship in its slot colour beside the crosshair.
    const V3 a = pos(settled(HOST)), b = pos(seen[JOINER]);
    ASSERT_TRUE(aim(host, HOST, b, OFF_CENTRE) && aim(joiner, JOINER, a, OFF_CENTRE));
    EXPECT_GE(shipPixels(host.screenshot(), 1), SEEN_PIXELS) << "the host does not see the joiner";
    EXPECT_GE(shipPixels(joiner.screenshot(), 0), SEEN_PIXELS)
        << "the joiner does not see the host";
    host.keys(hostWindow, "Escape");
    EXPECT_EQ(host.exitCode(), 0);
}
