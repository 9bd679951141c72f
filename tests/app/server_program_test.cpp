// The real voranis-server against loopback peers, a real bot, and a bot behind a slow link.
#include <gtest/gtest.h>

#include <vector>

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "net/discovery_browser.h"
#include "tests/support/delay_proxy.h"
#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tests/support/test_paths.h"

namespace {
constexpr int32_t WIRE_HEARTBEAT = 3007; // word 2: the server's step count
constexpr int WAIT_MS = 5000, STEPS_COUNTED = 60, PROXY_PORT = GAME_PORT + 1;
constexpr int RECORDS_A_STEP = 2, STEP_MS = 15; // a heartbeat and a relayed record, at most

bool startServer(GameDriver& server, const std::string& more = "") {
    return server.start({"-c", "exec " + gameDir() + "/voranis-server" + more}, server.folder(),
                        "sh");
}

// In, with the welcome's slot, once the server listens.
Peer join(int32_t* slot, int port = GAME_PORT) {
    for (int waited = 0; waited < WAIT_MS; waited += 20, usleep(20000)) {
        Peer p = connectPeer(port);
        Record r;
        if (p.fd >= 0 && p.receiveRecord(&r) && recordType(r) == WIRE_WELCOME) {
            *slot = recordSlot(r);
            return p;
        }
    }
    return Peer{};
}

bool says(const GameDriver& server, const std::string& text) {
    for (int waited = 0; waited < WAIT_MS; waited += 20, usleep(20000))
        if (server.output().find(text) != std::string::npos) return true;
    return false;
}

// The next state record of slot, whatever else comes first; none for slot 0 ever.
bool stateOf(Peer& peer, int32_t slot, int waitMs = WAIT_MS) {
    Record r;
    for (int n = 0; n < RECORDS_A_STEP * waitMs / STEP_MS && peer.receiveRecord(&r); ++n) {
        EXPECT_FALSE((recordType(r) == WIRE_STATE || recordType(r) == WIRE_ROCKET) &&
                     recordSlot(r) == 0);
        if (recordType(r) == WIRE_STATE && recordSlot(r) == slot) return true;
    }
    return false;
}
} // namespace

TEST(Server, AlonePeerGetsASlotAboveZeroAndAHeartbeatEveryStep) {
    GameDriver server(false);
    ASSERT_TRUE(startServer(server, " --name Orbit"));
    int32_t slot = 0;
    Peer peer    = join(&slot);
    EXPECT_GE(slot, 1);
    // One heartbeat a step, none missed; only the arena and the match records come between.
    std::vector<uint32_t> beats;
    for (Record r; beats.size() < STEPS_COUNTED && peer.receiveRecord(&r);) {
        if (recordType(r) == WIRE_HEARTBEAT)
            beats.push_back(recordWord(r, 2));
        else
            EXPECT_TRUE(recordType(r) >= WIRE_ARENA && recordType(r) <= WIRE_MATCH)
                << recordType(r);
    }
    ASSERT_EQ(beats.size(), size_t(STEPS_COUNTED));
    EXPECT_EQ(beats.back() - beats.front(), uint32_t(STEPS_COUNTED - 1));
    EXPECT_TRUE(says(server, "start port 2345 version"));
    // The games list names it, and counts only the places a player can take.
    DiscoveryBrowser browser;
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason)) << reason;
    FoundGame found[DISCOVERY_FOUND_MAX];
    int count = 0;
    for (uint32_t ms = 0; count == 0 && ms < WAIT_MS; ms += 20, usleep(20000)) {
        discoveryBrowse(browser, ms);
        count = discoveryFoundGames(browser, found);
    }
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(found[0].name, "Orbit");
    EXPECT_STREQ(found[0].players, "1/7");
}

TEST(Server, RelaysAPeersStateAndNamesItAndTellsWhoLeft) {
    GameDriver server(false);
    ASSERT_TRUE(startServer(server));
    int32_t first = 0, second = 0;
    Peer a = join(&first), b = join(&second);
    ASSERT_TRUE(b.sendRecord(playerInfoRecord(second, 0, 0, "ALICE")) &&
                b.sendRecord(stateRecord({second})));
    EXPECT_TRUE(stateOf(a, second));
    EXPECT_TRUE(says(server, "join slot " + std::to_string(second) + " 127.0.0.1:"));
    EXPECT_TRUE(says(server, "name slot " + std::to_string(second) + " ALICE"));
    b = Peer{};
    EXPECT_TRUE(says(server, "leave slot " + std::to_string(second) + " ALICE"));
}

TEST(Server, SigtermEndsItWithExitZeroWithinASecondAfterAStopLine) {
    GameDriver server(false);
    ASSERT_TRUE(startServer(server, " --bots 2"));
    ASSERT_TRUE(says(server, "start port"));
    kill(server.pid(), SIGTERM);
    EXPECT_EQ(server.exitCode(1000), 0);
    EXPECT_NE(server.output().find(" stop\n"), std::string::npos);
}

TEST(Server, BadConfigLineEndsItWithExitTwoNamingTheFileAndLine) {
    GameDriver server(false);
    const std::string file = server.folder() + "/server.conf";
    std::ofstream(file) << "port = 2346\nbots = many\n";
    ASSERT_TRUE(startServer(server, " --config " + file));
    EXPECT_EQ(server.exitCode(WAIT_MS), 2);
    EXPECT_NE(server.errors().find(file + ":2"), std::string::npos) << server.errors();
}

// The server's own bot: a real game's joiner, named and relayed like anyone.
TEST(Server, ItsBotJoinsIsNamedAndItsStateIsRelayed) {
    GameDriver server(false);
    ASSERT_TRUE(startServer(server, " --bots 1 --skill 1"));
    ASSERT_TRUE(says(server, "name slot 1 BOT 1"));
    int32_t slot = 0;
    Peer peer    = join(&slot);
    EXPECT_TRUE(stateOf(peer, 1));
}

// 150 ms +- 50 ms away, for five seconds: still in, still relayed, never dropped.
TEST(Server, BotBehindASlowJitteryLinkStaysInTheGame) {
    GameDriver server(false), bot(false);
    ASSERT_TRUE(startServer(server));
    int32_t slot = 0;
    Peer peer    = join(&slot);
    DelayProxy proxy(PROXY_PORT, GAME_PORT, 150, 50);
    ASSERT_TRUE(bot.start({"-c", "exec " + gameDir() + "/voranis-bot 127.0.0.1:" +
                                     std::to_string(PROXY_PORT) + " --quiet"},
                          bot.folder(), "sh"));
    ASSERT_TRUE(says(server, "name slot 2 BOT 2"));
    usleep(5000000);
    EXPECT_TRUE(stateOf(peer, 2, 1000));
    EXPECT_EQ(server.output().find(" drop "), std::string::npos) << server.output();
}
