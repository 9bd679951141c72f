// The whole game end to end: real games, each on an X display of its own like a player's
// screen, driven with xdotool, on 127.0.0.1 in a network namespace holding only loopback.
// Test peers speaking the record fill the other slots and watch every player over the
// wire: positions, headings, health, killers and rockets.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "tests/e2e/arena.h"
#include "tests/e2e/screen.h"
#include "tests/e2e/wire_peer.h"

namespace {
constexpr int JOIN_MS             = 15000;
constexpr int WIRE_MS             = 15000;
constexpr int EXIT_MS             = 15000;
constexpr int DIAGNOSTICS_MS      = 90000; // gdb may take 30 s a process
constexpr int POLL_STEP_MS        = 100;
constexpr int SHIP_SEEN_PIXELS    = 5;
constexpr int ERROR_BOX_MS        = 60000; // 490 frames, or a 10 s wait, on a loaded machine
constexpr int FULL_HEALTH         = 100;
constexpr float LOOK_STEP         = 0.3f; // degrees per pixel of mouse motion
constexpr float ROCKET_STEP       = 0.275f;
constexpr float FIRING_RANGE      = 40.0f; // rockets fly 55 units; keep well inside
constexpr float TARGET_AHEAD      = 3.0f;
constexpr int SEED_APART_MS       = 30;
constexpr float CLOSE_RANGE       = 10.0f;
constexpr int ROCKETS_TO_KILL     = 12; // 9 points each at most: 12 always kill
constexpr const char* ERROR_TITLE = "NETWORK ERROR";
const Vec3 PARKED[2]              = {
                 {200,  0, 0},
                 {-200, 0, 0}
}; // far from every planet and player

// Progress on standard output, which CTest shows for a failing test.
template <typename... Args> void note(const char* format, Args... args) {
    std::printf("[%6.1f s] ", static_cast<double>(testMillis()) / 1000.0);
    std::printf(format, args...);
    std::printf("\n");
    std::fflush(stdout);
}

std::string gameDir() {
    const char* d = std::getenv("VORANIS_GAME_DIR");
    return d ? d : ".";
}

class Multiplayer : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        shots = "/tmp/voranis-e2e-" + std::string(info->name()) + "-" + std::to_string(getpid());
        std::filesystem::create_directories(shots);
        planets = readPlanets(gameDir() + "/universe.uni");
        ASSERT_FALSE(planets.empty()) << "no planets in the game folder's universe file";
    }
    void TearDown() override {
        if (HasFailure()) {
            // Diagnostics must not turn a failure into a hang: a display that stops
            // answering ends the test here (the games and displays die with it).
            std::atomic<bool> saved{false};
            std::thread watchdog([&] {
                for (int i = 0; i < DIAGNOSTICS_MS / POLL_STEP_MS && !saved; ++i)
                    napMs(POLL_STEP_MS);
                if (saved) return;
                std::fprintf(stderr, "saving the failure's screenshots hung; logs in %s\n",
                             shots.c_str());
                std::_Exit(1);
            });
            for (auto& s : screens) {
                s->save("at-failure");
                s->saveStacks();
            }
            saved = true;
            watchdog.join();
            std::printf("screenshots and logs in %s\n", shots.c_str());
        }
        peers.clear();
        screens.clear(); // games and displays end here, on every path
        if (!HasFailure() && !std::getenv("VORANIS_E2E_KEEP")) std::filesystem::remove_all(shots);
    }

    PlayerScreen& newScreen(const std::string& name) {
        screens.push_back(std::make_unique<PlayerScreen>(shots, name));
        return *screens.back();
    }
    WirePeer& newPeer() {
        peers.push_back(std::make_unique<WirePeer>());
        return *peers.back();
    }

    // Displays come up together, then a game on each.
    bool startGames(std::vector<PlayerScreen*> all) {
        for (PlayerScreen* s : all)
            if (!s->launchDisplay()) return false;
        for (PlayerScreen* s : all) {
            if (!s->awaitDisplay() || !s->startGame()) return false;
            // Each game seeds its spawn points from the millisecond clock: games started in
            // the same millisecond would share them.
            napMs(SEED_APART_MS);
        }
        return true;
    }

    // Turns a real player's view to the given heading, watching its state records.
    bool aim(PlayerScreen& s, const WirePeer& eye, int slot, float yaw, float pitch) {
        for (int round = 0; round < 30; ++round) {
            ShipState now = eye.ship(slot);
            float ey = yawError(yaw, now.yaw), ep = pitch - now.pitch;
            if (std::fabs(ey) <= LOOK_STEP * 0.6f && std::fabs(ep) <= LOOK_STEP * 0.6f) return true;
            int dx      = static_cast<int>(std::lround(ey / LOOK_STEP));
            int dy      = static_cast<int>(std::lround(ep / LOOK_STEP));
            dx          = std::clamp(dx, -200, 200);
            dy          = std::clamp(dy, -150, 150);
            long before = eye.ship(slot).records;
            s.moveMouse(dx, dy);
            // The motion is applied in one of the next frames: wait for a few records.
            eye.waitUntil([&] { return eye.ship(slot).records > before + 6; }, 3000);
        }
        return false;
    }
    bool aimAt(PlayerScreen& s, const WirePeer& eye, int slot, Vec3 target, float yawOffset = 0) {
        float yaw, pitch;
        aimAngles(eye.ship(slot).pos, target, &yaw, &pitch);
        yaw = std::fmod(yaw + yawOffset + 360.0f, 360.0f);
        return aim(s, eye, slot, yaw, pitch);
    }

    // A test peer's rockets, placed on the victim, take its last point within frames.
    bool killWithRockets(WirePeer& shooter, const WirePeer& eye, int victim) {
        for (int round = 0; round < 3; ++round) {
            Vec3 at = eye.ship(victim).pos;
            for (int j = 0; j < ROCKETS_TO_KILL; ++j)
                shooter.sendRocket(j, 300, at, {0, 0, 0});
            if (eye.waitUntil([&] { return eye.ship(victim).health <= 0; }, 5000)) return true;
        }
        return false;
    }
    bool sawKiller(const WirePeer& eye, int victim, int killer) {
        for (const StateEvent& e : eye.events())
            if (e.slot == victim && e.state.killer == killer && e.state.health <= 0) return true;
        return false;
    }

    // A right click on a dead player's screen: back at full health at a new point.
    bool respawn(PlayerScreen& s, const WirePeer& eye, int slot) {
        Vec3 was = eye.ship(slot).pos;
        for (int tries = 0; tries < 3; ++tries) {
            s.click(3);
            if (eye.waitUntil([&] { return eye.ship(slot).health == FULL_HEALTH; }, 5000)) {
                Vec3 now = eye.ship(slot).pos;
                return length(sub(now, was)) > 0.5f && !insideAny(now, planets, 0.37f);
            }
        }
        return false;
    }

    // The score digit needs a dark background behind the overlay's corners: the view
    // turns until it has one.
    char readScore(PlayerScreen& s, const std::string& label) {
        for (int turn = 0; turn < 10; ++turn) {
            char digit = scoreDigit(s.grab());
            if (digit != '?') {
                s.save(label);
                note("%s shows score %c", s.name().c_str(), digit);
                return digit;
            }
            s.save(label + "-unclear-" + std::to_string(turn));
            s.moveMouse(turn == 4 ? 0 : 120, turn == 4 ? -120 : 0);
            napMs(400);
        }
        return '?';
    }

    // A ship whose key was let go stands still over a few of its frames. The release is
    // sent again when it did not take (seen once under load; see the report).
    bool stopped(PlayerScreen& s, const WirePeer& eye, int slot, const char* key) {
        for (int tries = 0; tries < 3; ++tries) {
            long records = eye.ship(slot).records;
            eye.waitUntil([&] { return eye.ship(slot).records > records + 3; }, 3000);
            Vec3 was = eye.ship(slot).pos;
            records  = eye.ship(slot).records;
            eye.waitUntil([&] { return eye.ship(slot).records > records + 10; }, 3000);
            if (length(sub(eye.ship(slot).pos, was)) < 0.01f) return true;
            note("%s still moves after %s was let go", s.name().c_str(), key);
            s.keyUp(key);
        }
        return false;
    }

    // Holds Up for a while, and on until the ship is clear of every planet (a host may
    // begin inside one: then each step goes the other way, out of it).
    void fly(PlayerScreen& s, const WirePeer& eye, int slot) {
        ShipState before = eye.ship(slot);
        s.keyDown("Up");
        napMs(1000);
        eye.waitUntil([&] { return !insideAny(eye.ship(slot).pos, planets, 1.0f); }, 20000);
        s.keyUp("Up");
        EXPECT_TRUE(stopped(s, eye, slot, "Up")) << s.name() << " flies on after Up was let go";
        ShipState after = eye.ship(slot);
        Vec3 moved      = sub(after.pos, before.pos);
        Vec3 view       = viewDirection(before.yaw, before.pitch);
        EXPECT_GT(length(moved), 0.5f) << s.name() << " did not fly";
        if (length(moved) > 0.5f) {
            EXPECT_GT(std::fabs(dot(moved, view)) / length(moved), 0.95f)
                << s.name() << " flew off its line of view";
        }
        EXPECT_FALSE(insideAny(after.pos, planets, 0.37f)) << s.name() << " is inside a planet";
    }

    // One click, one rocket: the record leaves from the ship along its view at 0.275.
    void fireOnce(PlayerScreen& s, const WirePeer& eye, int slot) {
        size_t seen    = eye.rockets().size();
        ShipState ship = eye.ship(slot);
        s.click(1);
        RocketRecord shot;
        bool fired = eye.waitUntil(
            [&] {
                auto all = eye.rockets();
                for (size_t i = seen; i < all.size(); ++i) {
                    if (all[i].slot == slot && all[i].life == 300) {
                        shot = all[i];
                        return true;
                    }
                }
                return false;
            },
            WIRE_MS);
        ASSERT_TRUE(fired) << s.name() << ": no rocket on the wire after a click";
        EXPECT_LT(length(sub(shot.pos, ship.pos)), 0.1f) << s.name();
        EXPECT_NEAR(length(shot.vel), ROCKET_STEP, 0.002f) << s.name();
        Vec3 view = viewDirection(ship.yaw, ship.pitch);
        EXPECT_GT(dot(shot.vel, view) / ROCKET_STEP, 0.999f) << s.name();
    }

    int impactsBy(const WirePeer& eye, int slot) {
        int n = 0;
        for (const RocketRecord& r : eye.rockets())
            n += r.slot == slot && r.life == 99;
        return n;
    }

    // A real player shoots a test peer placed right in front of it until its last point
    // goes, and the kill shows as a "1" in the player's score.
    void killPeer(PlayerScreen& s, const WirePeer& eye, int slot, WirePeer& target, Vec3 parking) {
        EXPECT_EQ(readScore(s, "score-before"), '0') << s.name() << ": the score is not 0";
        ShipState me = eye.ship(slot);
        Vec3 ahead   = add(me.pos, scale(viewDirection(me.yaw, me.pitch), TARGET_AHEAD));
        std::vector<Sphere> inTheWay = planets;
        for (int other = 0; other < PLAYERS; ++other) {
            ShipState o = eye.ship(other);
            if (other != slot && other != target.slot() && o.records > 0)
                inTheWay.push_back({o.pos, 0.5f});
        }
        for (int turn = 0; turn < 8 && !clearLine(me.pos, ahead, inTheWay, 1.0f); ++turn) {
            aim(s, eye, slot, std::fmod(me.yaw + 90.0f, 360.0f), 0);
            me    = eye.ship(slot);
            ahead = add(me.pos, scale(viewDirection(me.yaw, me.pitch), TARGET_AHEAD));
        }
        target.setHealth(FULL_HEALTH, NO_KILLER);
        target.placeShip(ahead);
        target.takeHitsFrom(slot);
        // The placed ship reaches the player through the host and shows on its screen in
        // its slot colour, under the crosshair.
        int pixels = 0;
        for (int look = 0; look < 40 && pixels < 20; ++look) {
            if (look) napMs(250);
            Picture view = s.grab();
            pixels       = shipPixels(view, target.slot(), centreBox(view, 60));
        }
        s.save("target-ahead");
        note("%s sees %d pixels of the target", s.name().c_str(), pixels);
        EXPECT_GE(pixels, 20) << s.name() << " does not show the ship placed in front of it";
        fireOnce(s, eye, slot);
        for (int click = 1; click < 60 && target.ownHealth() > 0; ++click) {
            s.click(1);
            napMs(150);
        }
        eye.waitUntil([&] { return target.ownHealth() <= 0; }, WIRE_MS);
        EXPECT_EQ(target.ownHealth(), 0) << s.name() << " did not kill the peer in front of it";
        EXPECT_GE(impactsBy(eye, slot), (FULL_HEALTH + 8) / 9) << s.name();
        note("%s killed its target with %d hits", s.name().c_str(), impactsBy(eye, slot));
        napMs(500); // the credit is counted in the frame that applies the death
        char score = readScore(s, "score-after");
        EXPECT_EQ(score, '1') << s.name() << ": the kill does not show";
        if (score != '1') {
            for (const StateEvent& e : eye.events())
                if (e.slot == target.slot())
                    note("target state: health %d killer %d", e.state.health, e.state.killer);
            for (const RocketRecord& r : eye.rockets())
                if (r.slot == slot)
                    note("rocket %d life %d at %.2f %.2f %.2f", r.index, r.life, r.pos.x, r.pos.y,
                         r.pos.z);
        }
        target.takeHitsFrom(-1);
        target.placeShip(parking);
        target.setHealth(FULL_HEALTH, NO_KILLER);
    }

    // A fatal network error: the text on standard error and in a "NETWORK ERROR" box
    // (dismissed with Return or Space), then the exit code.
    void expectNetworkError(PlayerScreen& s, const std::string& text, int code,
                            const char* closingKey = "Return") {
        unsigned long box = s.waitForWindow(ERROR_TITLE, ERROR_BOX_MS);
        EXPECT_NE(box, 0u) << s.name() << ": no error box";
        if (box) {
            s.save("error-box");
            s.xdo("windowfocus --sync " + std::to_string(box) + " key " + closingKey);
        }
        // Neither a box nor an end: its threads show where it waits.
        if (!box && s.running()) s.saveStacks();
        EXPECT_EQ(s.waitForExit(box ? EXIT_MS : 1000), code) << s.name();
        EXPECT_NE(s.errors().find("voranis: " + text + " "), std::string::npos)
            << s.name() << " said: " << s.errors();
    }

    std::string shots;
    std::vector<Sphere> planets;
    std::vector<std::unique_ptr<PlayerScreen>> screens;
    std::vector<std::unique_ptr<WirePeer>> peers;
};
} // namespace

// A host and two joiners: they see each other, fly, fire, hit, kill and respawn; when the
// host quits, both joiners lose the connection and end with code 4.
TEST_F(Multiplayer, HostAndTwoJoinersPlayAndLoseTheHostTogether) {
    PlayerScreen& host = newScreen("host");
    PlayerScreen& one  = newScreen("joiner1");
    PlayerScreen& two  = newScreen("joiner2");
    ASSERT_TRUE(startGames({&host, &one, &two})) << "Xvfb or a game did not start";
    ASSERT_TRUE(host.hostGame()) << "the host's game window did not come";

    // The watcher takes slot 1; the real joiners come next, then the second peer.
    WirePeer& watch = newPeer();
    ASSERT_EQ(watch.join(JOIN_MS), 1);
    watch.start(PARKED[0], FULL_HEALTH);
    bool joined[2] = {false, false};
    std::thread j1([&] { joined[0] = one.joinGame(); });
    ASSERT_TRUE(watch.waitUntil([&] { return watch.ship(2).records > 0; }, 40000))
        << "the first joiner's state never reached the host";
    std::thread j2([&] { joined[1] = two.joinGame(); });
    ASSERT_TRUE(watch.waitUntil([&] { return watch.ship(3).records > 0; }, 40000))
        << "the second joiner's state never reached the host";
    j1.join();
    j2.join();
    ASSERT_TRUE(joined[0] && joined[1]) << "a joiner's game window did not come";
    WirePeer& target = newPeer();
    ASSERT_EQ(target.join(JOIN_MS), 4);
    target.start(PARKED[1], FULL_HEALTH);
    const int H = 0, J1 = 2, J2 = 3, W = 1, T = 4;

    // Every machine's records reach the others through the host, and each real player
    // starts alive at full health with yaw and pitch 0.
    for (int slot : {H, J1, J2}) {
        ASSERT_TRUE(watch.waitUntil([&] { return watch.ship(slot).records > 20; }, WIRE_MS));
        ShipState s = watch.ship(slot);
        EXPECT_EQ(s.health, FULL_HEALTH) << "slot " << slot;
        EXPECT_EQ(s.killer, NO_KILLER) << "slot " << slot;
    }
    EXPECT_TRUE(target.waitUntil([&] { return target.ship(W).records > 0; }, WIRE_MS))
        << "one peer's records are not relayed to the other";

    // Fly: all three at once, each on its own screen.
    {
        std::thread a([&] { fly(host, watch, H); });
        std::thread b([&] { fly(one, watch, J1); });
        std::thread c([&] { fly(two, watch, J2); });
        a.join(), b.join(), c.join();
    }
    EXPECT_GT(length(sub(watch.ship(J1).pos, watch.ship(J2).pos)), 1.0f)
        << "the joiners flew to the same point";
    // Each joiner fires at, hits and kills a test peer placed in front of it.
    {
        std::thread a([&] { killPeer(one, watch, J1, watch, PARKED[0]); });
        std::thread b([&] { killPeer(two, watch, J2, target, PARKED[1]); });
        a.join(), b.join();
    }
    if (HasFailure()) return;

    // Real against real: the host shoots the first joiner. Spawn points are random, so
    // the joiner dies and respawns until the host has a clear shot at it.
    bool clear = false;
    for (int roll = 0; roll < 10 && !clear; ++roll) {
        Vec3 h = watch.ship(H).pos, j = watch.ship(J1).pos;
        std::vector<Sphere> inTheWay = planets;
        inTheWay.push_back({watch.ship(J2).pos, 0.5f});
        float d = length(sub(j, h));
        clear   = d > 4.0f && d < FIRING_RANGE && clearLine(h, j, inTheWay, 0.6f);
        note("host and joiner %.1f apart, clear %d", static_cast<double>(d), clear);
        if (clear) break;
        ASSERT_TRUE(killWithRockets(target, watch, J1)) << "the first joiner did not die";
        EXPECT_TRUE(sawKiller(watch, J1, T)) << "the dead joiner did not name its killer";
        ASSERT_TRUE(respawn(one, watch, J1)) << "the first joiner did not respawn";
    }
    ASSERT_TRUE(clear) << "no clear shot between the host and the first joiner";

    // The joiner flies up to the host, along the clear line, so each ship is large enough
    // on the other's screen.
    if (length(sub(watch.ship(J1).pos, watch.ship(H).pos)) > CLOSE_RANGE) {
        ASSERT_TRUE(aimAt(one, watch, J1, watch.ship(H).pos)) << "the joiner could not aim";
        one.keyDown("Up");
        bool closed = watch.waitUntil(
            [&] { return length(sub(watch.ship(J1).pos, watch.ship(H).pos)) <= CLOSE_RANGE; },
            30000);
        one.keyUp("Up");
        ASSERT_TRUE(closed) << "the joiner did not fly up to the host";
        EXPECT_TRUE(stopped(one, watch, J1, "Up")) << "the joiner flies on after Up was let go";
        note("the joiner flew up to the host");
    }

    // Each sees the other's ship, in its slot colour, beside the crosshair.
    {
        bool aimed[2] = {false, false};
        std::thread a([&] { aimed[0] = aimAt(host, watch, H, watch.ship(J1).pos, 5.0f); });
        std::thread b([&] { aimed[1] = aimAt(one, watch, J1, watch.ship(H).pos, 5.0f); });
        a.join(), b.join();
        ASSERT_TRUE(aimed[0] && aimed[1]) << "the mouse did not turn the views";
        napMs(300);
        Picture hostView = host.grab(), joinerView = one.grab();
        host.save("sees-joiner");
        one.save("sees-host");
        note("host sees %d joiner pixels, joiner sees %d host pixels",
             shipPixels(hostView, J1, centreBox(hostView, 90)),
             shipPixels(joinerView, H, centreBox(joinerView, 90)));
        // A ship five units off is a few dozen pixels, part of them under the crosshair.
        EXPECT_GE(shipPixels(hostView, J1, centreBox(hostView, 90)), SHIP_SEEN_PIXELS)
            << "the host does not show the joiner's ship";
        EXPECT_GE(shipPixels(joinerView, H, centreBox(joinerView, 90)), SHIP_SEEN_PIXELS)
            << "the joiner does not show the host's ship";
    }

    // The host fires until the joiner's own machine takes its last point and names the
    // host; the host's screen then counts the kill.
    EXPECT_EQ(readScore(host, "host-score-before"), '0');
    ASSERT_TRUE(aimAt(host, watch, H, watch.ship(J1).pos)) << "the host could not aim";
    fireOnce(host, watch, H);
    for (int click = 1; click < 80 && watch.ship(J1).health > 0; ++click) {
        host.click(1);
        napMs(200);
    }
    watch.waitUntil([&] { return watch.ship(J1).health <= 0; }, WIRE_MS);
    EXPECT_LE(watch.ship(J1).health, 0) << "the host's rockets did not kill the joiner";
    EXPECT_TRUE(sawKiller(watch, J1, H)) << "the joiner's death does not name the host";
    EXPECT_GT(impactsBy(watch, H), 0) << "the host's machine saw no hit";
    note("the host killed the joiner with %d hits", impactsBy(watch, H));
    napMs(500);
    EXPECT_EQ(readScore(host, "host-score-after"), '1') << "the host's kill does not show";
    EXPECT_TRUE(respawn(one, watch, J1)) << "the first joiner did not respawn";

    // The host and the second joiner die as well, and come back.
    {
        std::thread a([&] {
            EXPECT_TRUE(killWithRockets(watch, watch, H)) << "the host did not die";
            EXPECT_TRUE(sawKiller(watch, H, W));
            EXPECT_TRUE(respawn(host, watch, H)) << "the host did not respawn";
        });
        std::thread b([&] {
            EXPECT_TRUE(killWithRockets(target, watch, J2)) << "the second joiner did not die";
            EXPECT_TRUE(sawKiller(watch, J2, T));
            EXPECT_TRUE(respawn(two, watch, J2)) << "the second joiner did not respawn";
        });
        a.join(), b.join();
    }

    // The host quits; the joiners hear nothing more and give up after 490 frames.
    host.key("Escape");
    ASSERT_EQ(host.waitForExit(EXIT_MS), 0) << "Escape did not end the host with 0";
    long quit = testMillis();
    note("the host quit");
    long gaveUp[2] = {0, 0};
    {
        std::thread a([&] {
            expectNetworkError(one, "GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST.", 4);
            gaveUp[0] = testMillis() - quit;
        });
        std::thread b([&] {
            expectNetworkError(two, "GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST.", 4,
                               "space");
            gaveUp[1] = testMillis() - quit;
        });
        a.join(), b.join();
    }
    note("the joiners gave up %ld and %ld ms after the host quit", gaveUp[0], gaveUp[1]);
    EXPECT_LT(gaveUp[0], 5000) << "the first joiner did not notice the host was gone";
    EXPECT_LT(gaveUp[1], 5000) << "the second joiner did not notice the host was gone";
}

// Seven peers fill the host; the eighth joiner is refused and ends with code 1.
TEST_F(Multiplayer, EighthJoinerHearsTheServerIsBusyAndEndsWithOne) {
    PlayerScreen& host  = newScreen("host");
    PlayerScreen& eight = newScreen("joiner8");
    ASSERT_TRUE(startGames({&host, &eight})) << "Xvfb or a game did not start";
    ASSERT_TRUE(host.hostGame()) << "the host's game window did not come";
    for (int slot = 1; slot <= 7; ++slot) {
        WirePeer& p = newPeer();
        ASSERT_EQ(p.join(JOIN_MS), slot);
        p.start({200.0f + static_cast<float>(slot) * 5, 0, 0}, FULL_HEALTH);
    }
    // In full screen: the box must come up over the game and take the keyboard.
    ASSERT_TRUE(eight.answerJoin(false)) << "no set-up dialog";
    expectNetworkError(eight, "SERVER IS BUSSY !", 1);
    // The host goes on serving its seven.
    for (auto& p : peers) {
        long seen = p->ship(0).records;
        EXPECT_TRUE(p->waitUntil([&] { return p->ship(0).records > seen + 10; }, WIRE_MS));
    }
    host.key("Escape");
    EXPECT_EQ(host.waitForExit(EXIT_MS), 0);
}

// Nobody listens on 127.0.0.1: the refusal ends the joiner at once, with code 3.
TEST_F(Multiplayer, JoinerWithoutHostIsRefusedAndEndsWithThree) {
    PlayerScreen& lonely = newScreen("joiner");
    ASSERT_TRUE(startGames({&lonely})) << "Xvfb or the game did not start";
    ASSERT_TRUE(lonely.answerJoin()) << "no set-up dialog";
    long joined = testMillis();
    expectNetworkError(lonely, "TIMEOUT ERROR !", 3);
    EXPECT_LT(testMillis() - joined, 5000) << "the joiner waited for nothing";
}
