// Three voranis-bot programs against the host's own frame over loopback, and how a bot ends.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <list>
#include <string>

#include "net/net.h"
#include "net/net_host.h"
#include "net/net_session.h"
#include "platform/platform.h"
#include "step/game_step.h"
#include "step/step_wait.h"
#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tests/support/portable/world_setup.h"
#include "tests/support/test_paths.h"
#include "world/contact.h"
#include "world/step_clock.h"
#include "world/step_simulation.h"
#include "world/universe.h"
#include "world/world_state.h"

namespace {
// This program's own world, network session and step state, as each program owns its own.
WorldState testWorld;
NetSession testNet;
StepState testStep;

constexpr int BOTS               = 3;
constexpr int GAME_FRAMES_MAX    = 40000 / STEP_MS; // 40 s of play at the most
constexpr int CONTACT_FRAMES_MAX = 1000 / STEP_MS;  // a second
constexpr int END_WAIT_MS        = 5000;
constexpr float MOVED            = 1.0f; // world units from where a bot was first seen

// A bot joining 127.0.0.1, through a shell line that ends in more.
bool startBot(GameDriver& bot, const std::string& more = "") {
    const std::string line = "exec " + gameDir() + "/voranis-bot 127.0.0.1 --quiet" + more;
    return bot.start({"-c", line}, bot.folder(), "sh");
}

struct Watch {
    float start[3] = {};
    bool seen = false, moved = false, died = false, cameBack = false;
    int contact = 0, contactMost = 0; // frames in a row touching a planet
};

bool watch(Watch& w, int slot) {
    const Player& p = testWorld.players[slot];
    if (p.slot != slot) return w.cameBack;
    if (!w.seen) std::copy(p.pos, p.pos + 3, w.start);
    w.seen = true;
    for (int a = 0; a < 3; ++a)
        w.moved = w.moved || std::fabs(p.pos[a] - w.start[a]) > MOVED;
    const bool touching = p.health > 0 && findObstacle(testWorld, p.pos, SHIP_RADIUS, slot) == -1;
    w.contact           = touching ? w.contact + 1 : 0;
    w.contactMost       = std::max(w.contactMost, w.contact);
    w.cameBack          = w.cameBack || (w.died && p.health == FULL_HEALTH);
    w.died              = w.died || p.health <= 0;
    return w.cameBack;
}
} // namespace

// The host has no ship; a fourth peer reads what is relayed: only what a bot may say of itself.
TEST(Bots, ThreeBotsFightByTheRulesUntilOneIsDestroyedAndComesBack) {
    freshWorld(testWorld);
    UniverseTextures pictures;
    ASSERT_TRUE(loadUniverse(testWorld, (gameDir() + "/universe.uni").c_str(), &pictures));
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    ASSERT_TRUE(netHostStart(testNet, GAME_PORT, "test", address, problem)) << problem;
    std::list<GameDriver> bots;
    for (int b = 0; b < BOTS; ++b)
        ASSERT_TRUE(startBot(bots.emplace_back(false), " --skill 3"));
    Peer observer;
    Watch watched[BOTS + 1];
    StepReport report;
    bool cameBack = false;
    int frame     = 0;
    for (; frame < GAME_FRAMES_MAX && !cameBack; ++frame) {
        const uint32_t stepMs = platformMilliseconds();
        runStep(testWorld, testNet, testStep, StepSetup{1, nullptr, nullptr}, stepMs, &report);
        for (int slot = 1; slot <= BOTS; ++slot)
            cameBack = watch(watched[slot], slot) || cameBack;
        if (observer.fd < 0 && testNet.host.connSlots[BOTS].active)
            observer = connectPeer(); // after the bots
        for (Record r; observer.fd >= 0 && observer.receiveRecord(&r, 0);) {
            if (recordType(r) == WIRE_WELCOME || recordType(r) == WIRE_MATCH) continue;
            EXPECT_TRUE(recordSlot(r) >= 1 && recordSlot(r) <= BOTS) << recordSlot(r);
            EXPECT_TRUE(recordType(r) != WIRE_ROCKET || readRocket(r).index < ROCKETS_PER_PLAYER);
        }
        waitUntilStep(testNet, StepSetup{1, nullptr, nullptr}, stepMs + STEP_MS);
    }
    for (int slot = 1; slot <= BOTS; ++slot) {
        EXPECT_TRUE(watched[slot].moved) << "bot " << slot << " stood still";
        EXPECT_LE(watched[slot].contactMost, CONTACT_FRAMES_MAX) << "bot " << slot;
    }
    EXPECT_TRUE(cameBack) << "no bot was destroyed and came back in " << frame << " frames";
    netShutdown(testNet); // the host is gone: every bot ends as a joiner whose host quit
    for (GameDriver& bot : bots)
        EXPECT_EQ(bot.exitCode(END_WAIT_MS), 4);
}

// Refused or nobody there: the joiner's codes; the process that started it ending: 0.
TEST(Bots, EndsWithTheJoinersCodesOrWhenItsStarterEnds) {
    const int listener = listenAsHost();
    GameDriver full(false), shell(false), alone(false);
    ASSERT_TRUE(startBot(full));
    acceptPeer(listener).sendRecord(serverFullRecord());
    EXPECT_EQ(full.exitCode(END_WAIT_MS), 1);
    ASSERT_TRUE(startBot(shell, " & echo $! > bot.pid; sleep 1"));
    Peer host = acceptPeer(listener);
    host.sendRecord(welcomeRecord(1));
    EXPECT_EQ(shell.exitCode(END_WAIT_MS), 0);
    int bot = 0;
    ASSERT_TRUE(std::ifstream(shell.folder() + "/bot.pid") >> bot);
    bool gone = false;
    for (int waited = 0; waited < END_WAIT_MS && !gone; waited += 10) {
        host.sendRecord(stateRecord({0})); // the host goes on talking: only the starter left
        gone = kill(bot, 0) != 0;
        usleep(10000);
    }
    EXPECT_TRUE(gone) << "the bot outlived the shell that started it";
    close(listener);
    ASSERT_TRUE(startBot(alone));
    EXPECT_EQ(alone.exitCode(END_WAIT_MS), 3);
}
