// The Windows programs under Wine: the server welcomes a loopback peer, beats every step,
// answers the games list and ends cleanly at Ctrl+C; the bot and the game play in a Linux
// server's game at its step rate; the game hosts Linux players, and says why a join failed.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "net/discovery_browser.h"
#include "tests/support/demo_match.h"
#include "tests/support/game_driver.h"
#include "tests/support/peer.h"
#include "tests/support/picture.h"
#include "tests/support/test_paths.h"

namespace {
constexpr int32_t WIRE_HEARTBEAT = 3007;
constexpr int START_WAIT_MS      = 30000; // a Wine server of its own starts first
constexpr int POLL_MS            = 50;
constexpr int STEPS_COUNTED      = 200; // three seconds of the server's steps
constexpr int STEPS_A_SECOND     = 1000 / 15;
// 60 to 75 state records a second, as a share of the server's steps.
constexpr int FEWEST_STATES = STEPS_COUNTED * 60 / STEPS_A_SECOND;
constexpr int MOST_STATES   = STEPS_COUNTED * 75 / STEPS_A_SECOND;

std::string windowsBuild() {
    return fromEnvironment("VORANIS_WINDOWS_BUILD");
}

bool windowsBuilt() {
    return access((windowsBuild() + "/game/voranis-server.exe").c_str(), R_OK) == 0 &&
           access((windowsBuild() + "/game/voranis-bot.exe").c_str(), R_OK) == 0;
}

// The Windows program under Wine, from the Windows game folder.
bool startWindows(GameDriver& driver, const std::string& program,
                  const std::vector<std::string>& args) {
    std::vector<std::string> line{"--own-server", driver.folder() + "/wine",
                                  windowsBuild() + "/wine-prefix", program + ".exe"};
    line.insert(line.end(), args.begin(), args.end());
    return driver.start(line, windowsBuild() + "/game", sourceDir() + "/tests/support/in-wine");
}

// In, with the welcome's slot, once the server listens.
Peer join(int32_t* slot) {
    for (int waited = 0; waited < START_WAIT_MS; waited += POLL_MS, usleep(POLL_MS * 1000)) {
        Peer p = connectPeer(GAME_PORT);
        Record r;
        if (p.fd >= 0 && p.receiveRecord(&r) && recordType(r) == WIRE_WELCOME) {
            *slot = recordSlot(r);
            return p;
        }
    }
    return Peer{};
}

bool says(const GameDriver& program, const std::string& text) {
    for (int waited = 0; waited < START_WAIT_MS; waited += POLL_MS, usleep(POLL_MS * 1000))
        if (program.output().find(text) != std::string::npos) return true;
    return false;
}

// From a slot's first state record, its state records in the server's next STEPS_COUNTED
// heartbeats, counted against the server's own steps so that a slow machine moves both alike;
// beats tells how many heartbeats came.
int statesInServerSteps(Peer& peer, int32_t slot, int* beats) {
    int states   = 0;
    bool playing = false;
    *beats       = 0;
    for (Record r; *beats < STEPS_COUNTED && peer.receiveRecord(&r);) {
        const bool state = recordType(r) == WIRE_STATE && recordSlot(r) == slot;
        playing          = playing || state;
        *beats += playing && recordType(r) == WIRE_HEARTBEAT;
        states += playing && state;
    }
    return states;
}
} // namespace

// Its bot too: a Windows process it starts, and ends as it stops.
TEST(WindowsServer, WelcomesAPeerBesideItsBotBeatsEveryStepAndEndsWithZeroAtCtrlC) {
    if (!windowsBuilt()) GTEST_SKIP() << "no Windows build: run scripts/build-windows";
    GameDriver server(false);
    ASSERT_TRUE(startWindows(server, "voranis-server", {"--bots", "1", "--skill", "1"}));
    ASSERT_TRUE(says(server, "name slot 1 BOT 1")) << server.output() << server.errors();
    int32_t slot = 0;
    Peer peer    = join(&slot);
    ASSERT_EQ(slot, 2) << server.errors();
    std::vector<uint32_t> beats;
    for (Record r; beats.size() < STEPS_COUNTED && peer.receiveRecord(&r);)
        if (recordType(r) == WIRE_HEARTBEAT) beats.push_back(recordWord(r, 2));
    ASSERT_EQ(beats.size(), size_t(STEPS_COUNTED));
    EXPECT_EQ(beats.back() - beats.front(), uint32_t(STEPS_COUNTED - 1)) << "none missed";
    ASSERT_TRUE(says(server, "join slot " + std::to_string(slot) + " 127.0.0.1:"));
    // The games list finds it through its UDP responder.
    char reason[DISCOVERY_REASON_SIZE];
    DiscoveryBrowser browser;
    ASSERT_TRUE(discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason)) << reason;
    FoundGame found[DISCOVERY_FOUND_MAX];
    int count = 0;
    for (uint32_t ms = 0; count == 0 && ms < START_WAIT_MS; ms += POLL_MS, usleep(POLL_MS * 1000)) {
        discoveryBrowse(browser, ms);
        count = discoveryFoundGames(browser, found);
    }
    discoveryBrowseClose(browser);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(found[0].players, "2/7");
    kill(server.pid(), SIGINT); // Wine hands it to the console's handlers as Ctrl+C
    EXPECT_EQ(server.exitCode(START_WAIT_MS), 0);
    // Its lines end as Windows' text files do.
    EXPECT_NE(server.output().find(" stop\r\n"), std::string::npos) << server.output();
}

TEST(WindowsBot, PlaysInALinuxServersGameAtTheStepRate) {
    if (!windowsBuilt()) GTEST_SKIP() << "no Windows build: run scripts/build-windows";
    GameDriver server(false), bot(false);
    ASSERT_TRUE(
        server.start({"-c", "exec " + gameDir() + "/voranis-server"}, server.folder(), "sh"));
    int32_t slot = 0;
    Peer peer    = join(&slot);
    ASSERT_GE(slot, 1);
    ASSERT_TRUE(startWindows(bot, "voranis-bot", {"127.0.0.1:2345", "--quiet"}));
    ASSERT_TRUE(says(server, "join slot " + std::to_string(slot + 1))) << bot.errors();
    int beats        = 0;
    const int states = statesInServerSteps(peer, slot + 1, &beats);
    ASSERT_EQ(beats, STEPS_COUNTED);
    std::printf("the Windows bot: %d state records in %d server steps (%.1f a second)\n", states,
                beats, states * 1000.0 / (beats * 15.0));
    EXPECT_GE(states, FEWEST_STATES);
    EXPECT_LE(states, MOST_STATES);
}

namespace {
bool gameBuilt() {
    return access((windowsBuild() + "/game/voranis.exe").c_str(), R_OK) == 0;
}

// The share of the view above the overlay lit brighter than level.
double lit(const Picture& f, int level) {
    int count = 0;
    for (int i = 0; i < f.width * f.height * 3 / 4; ++i)
        count += *std::max_element(f.rgb.data() + 3 * i, f.rgb.data() + 3 * i + 3) > level;
    return f.width ? double(count) / (f.width * f.height * 3 / 4) : 0.0;
}

// Turned 45 degrees at a time, a full circle at most, until lit planets fill part of the view.
bool planetsInView(GameDriver& game, unsigned long window) {
    game.xdo("windowfocus --sync " + std::to_string(window));
    for (int turn = 0; turn < 8; ++turn) {
        for (int look = 0; look < 10; ++look, usleep(100000)) {
            const Picture f = game.screenshot();
            if (lit(f, 5) > 0.15 && lit(f, 115) > 0.04) return true;
        }
        game.xdo("mousemove_relative -- 150 0");
    }
    return false;
}

const std::vector<std::string> WINDOWED = {"--window", "--resolution", "640x480", "--no-sound"};

std::vector<std::string> windowed(std::vector<std::string> args) {
    args.insert(args.end(), WINDOWED.begin(), WINDOWED.end());
    return args;
}
} // namespace

// A Windows player in a Linux server's game beside a Linux bot: its records come at the step
// rate, counted against the server's heartbeats, and its window shows the planets.
TEST(WindowsGame, JoinsALinuxGameAtTheStepRateAndShowsThePlanets) {
    if (!gameBuilt()) GTEST_SKIP() << "no Windows build: run scripts/build-windows";
    GameDriver server(false), game;
    ASSERT_TRUE(server.start({"-c", "exec " + gameDir() + "/voranis-server --bots 1"},
                             server.folder(), "sh"));
    ASSERT_TRUE(startWindows(game, "voranis", windowed({"--join", "127.0.0.1", "--name", "WIN"})));
    ASSERT_TRUE(says(server, " WIN")) << game.errors();
    // The counting peer comes last, so that it is not dropped for its silence meanwhile.
    int32_t slot = 0;
    Peer peer    = join(&slot);
    ASSERT_GE(slot, 1);
    const size_t named    = server.output().find(" WIN");
    const size_t slotAt   = server.output().rfind("name slot ", named) + 10;
    const int32_t winSlot = std::atoi(server.output().c_str() + slotAt) - 1;
    int beats             = 0;
    const int states      = statesInServerSteps(peer, winSlot, &beats);
    ASSERT_EQ(beats, STEPS_COUNTED);
    std::printf("the Windows game: %d state records in %d server steps (%.1f a second)\n", states,
                beats, states * 1000.0 / (beats * 15.0));
    EXPECT_GE(states, FEWEST_STATES);
    EXPECT_LE(states, MOST_STATES);
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    EXPECT_TRUE(planetsInView(game, window));
}

// A Windows host takes a Linux bot and two loopback peers, and passes each one's records on to
// the others.
TEST(WindowsGame, HostsALinuxBotAndPeersAndRelaysBothWays) {
    if (!gameBuilt()) GTEST_SKIP() << "no Windows build: run scripts/build-windows";
    GameDriver host, bot(false);
    ASSERT_TRUE(startWindows(host, "voranis", windowed({"--host"})));
    int32_t first = 0, second = 0;
    Peer a = join(&first);
    ASSERT_GE(first, 1) << host.errors();
    Peer b = join(&second);
    ASSERT_GE(second, 1);
    ASSERT_TRUE(bot.start({"127.0.0.1", "--quiet"}, {}, gameDir() + "/voranis-bot"));
    WireState state;
    state.slot = first;
    ASSERT_TRUE(a.sendRecord(stateRecord(state)));
    bool fromA = false, fromBot = false, fromHost = false;
    for (Record r; !(fromA && fromBot && fromHost) && b.receiveRecord(&r, START_WAIT_MS);) {
        if (recordType(r) != WIRE_STATE) continue;
        fromA    = fromA || recordSlot(r) == first;
        fromHost = fromHost || recordSlot(r) == 0;
        fromBot =
            fromBot || (recordSlot(r) != first && recordSlot(r) != second && recordSlot(r) != 0);
    }
    EXPECT_TRUE(fromA) << "a peer's record passed on";
    EXPECT_TRUE(fromBot) << "the Linux bot's";
    EXPECT_TRUE(fromHost) << "the Windows host's own";
    state.slot = second;
    ASSERT_TRUE(b.sendRecord(stateRecord(state)));
    bool fromB = false;
    for (Record r; !fromB && a.receiveRecord(&r, START_WAIT_MS);)
        fromB = recordType(r) == WIRE_STATE && recordSlot(r) == second;
    EXPECT_TRUE(fromB) << "and the other way";
}

// Joining where nothing listens: the "NETWORK ERROR" box, Return, and the joiner's exit code
// for a failed join, as on Linux.
TEST(WindowsGame, ARefusedJoinShowsTheNetworkErrorBoxAndEndsWithThree) {
    if (!gameBuilt()) GTEST_SKIP() << "no Windows build: run scripts/build-windows";
    GameDriver game;
    ASSERT_TRUE(startWindows(game, "voranis", windowed({"--join", "127.0.0.1"})));
    const unsigned long box = game.window("NETWORK ERROR", START_WAIT_MS);
    ASSERT_NE(box, 0u) << game.errors();
    game.keys(box, "Return");
    EXPECT_EQ(game.exitCode(START_WAIT_MS), 3) << game.errors();
}

// A demo recorded on Linux replays to the same worlds on Windows: every flight's sine and
// cosine, every digest.
TEST(WindowsGame, VerifiesADemoRecordedOnLinux) {
    if (access((windowsBuild() + "/game/voranis.exe").c_str(), R_OK) != 0)
        GTEST_SKIP() << "no Windows build in " << windowsBuild();
    GameDriver game(false);
    const std::string demo = recordTurningMatch(game.folder(), 2000);
    ASSERT_TRUE(startWindows(game, "voranis", {"--demo", demo, "--verify"}));
    EXPECT_EQ(game.exitCode(START_WAIT_MS), 0) << game.output() << game.errors();
    EXPECT_NE(game.output().find(demo + ": 2000 steps, 8 players, arena universe, verified"),
              std::string::npos)
        << game.output() << game.errors();
}
