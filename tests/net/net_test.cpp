// The record, the host and the joiner over loopback with the test as the other machines.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <unistd.h>

#include "net/join_address.h"
#include "net/net.h"
#include "net/net_host.h"
#include "net/net_join.h"
#include "net/net_session.h"
#include "net/record_rules.h"
#include "step/game_step.h"
#include "step/step_state.h"
#include "tests/support/peer.h"
#include "tests/support/portable/world_setup.h"
#include "world/messages.h"
#include "world/roster.h"
#include "world/world_state.h"

namespace {
// This program's own world and network session, as each program owns its own.
WorldState testWorld;
NetSession testNet;

const std::string LINE = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!?"
                         "0123456789abcdef"; // 80 characters: three parts

// Type, slot, two ints and six floats (flat: a nested brace list is laid out as a table).
Record record(int32_t type, int32_t slot, int32_t a, int32_t b, std::array<float, 6> f) {
    std::array<uint32_t, WIRE_WORDS> w = {uint32_t(type), uint32_t(slot), uint32_t(a), uint32_t(b)};
    for (int i = 0; i < 6; ++i)
        w[4 + i] = floatWord(f[i]);
    return wordsRecord(w);
}

Record encoded(const NetMessage& msg) {
    Record r;
    encodeNetMessage(msg, r.data());
    return r;
}

void take(const Record& r, uint32_t nowMs = 0) {
    applyNetMessage(testWorld, testNet.assembly, decodeNetMessage(r.data()), nowMs);
}

// Exchanges until done() holds (true), the game ends or time is up (false).
bool exchangeUntil(int32_t isServer, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(PEER_WAIT_MS);
    while (std::chrono::steady_clock::now() < end &&
           netExchange(testNet, testWorld, isServer, 0).exitCode == 0) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

struct Host : ::testing::Test {
    void SetUp() override {
        freshWorld(testWorld);
        char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
        ASSERT_TRUE(netHostStart(testNet, GAME_PORT, "test", address, problem)) << problem;
        placeLocal(testWorld, 0, {0, 0, 0});
    }
    void TearDown() override { netShutdown(testNet); }
    static Record firstRecord(Peer& p) {
        Record r{};
        EXPECT_TRUE(exchangeUntil(1, [&] { return p.receiveRecord(&r, 20); }));
        return r;
    }
    static Peer join(int slot) {
        Peer p = connectPeer();
        EXPECT_EQ(firstRecord(p), welcomeRecord(slot));
        return p;
    }
    static void expectNothingElse(std::initializer_list<Peer*> peers) {
        netSend(testNet, makeStateMessage(testWorld, 0));
        for (Peer* p : peers)
            EXPECT_EQ(firstRecord(*p), stateRecord({0})) << "echoed, forged or relayed twice";
    }
};
} // namespace

TEST(Record, EveryTypeTravelsInItsLayoutLeastSignificantByteFirst) {
    freshWorld(testWorld);
    Player& p         = placeShip(testWorld, 2, {1.5f, -2, 3}, 90, -12.5f);
    p.killer          = 5;
    p.health          = 42;
    const float at[3] = {0.5f, 0.25f, 7}, vel[3] = {0.275f, 0, -0.125f};
    NetMessage chat[CHAT_PARTS_MAX];
    ASSERT_EQ(makeChatMessages(2, 7, LINE.c_str(), chat), 3);
    auto travels = [](const NetMessage& game, const Record& ours) {
        EXPECT_EQ(encoded(game), ours) << "type " << recordType(ours);
        EXPECT_EQ(encoded(decodeNetMessage(ours.data())), ours);
    };
    travels(makeStateMessage(testWorld, 2),
            record(WIRE_STATE, 2, 5, 42, {1.5f, -2, 3, 90, -12.5f}));
    travels(makeRocketMessage(2, 19, 300, at, vel),
            record(WIRE_ROCKET, 2, 19, 300, {0.5f, 0.25f, 7, 0.275f, 0, -0.125f}));
    travels(makePlayerInfoMessage(3, 5, -2, "ALICE"), playerInfoRecord(3, 5, -2, "ALICE"));
    for (uint32_t k = 0; k < 3; ++k)
        travels(chat[k], chatRecord(2, 7, k, 3, LINE.substr(k * 28, 28)));
    // The tests' own codec, byte for byte: type 1013, slot 2, killer 5, health 42, x 1.5.
    const uint8_t head[] = {0xF5, 3, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 42, 0, 0, 0, 0, 0, 0xC0, 0x3F};
    EXPECT_EQ(std::memcmp(record(WIRE_STATE, 2, 5, 42, {1.5f}).data(), head, sizeof head), 0);
}

TEST(Record, ARecordFillsOnlyItsOwnEntryAndNothingOutsideTheTables) {
    freshWorld(testWorld);
    take(record(WIRE_STATE, 4, 6, 77, {-8, 2, -3, 45, -10}));
    take(record(WIRE_ROCKET, 6, 19, 99, {11, 0, 0, 0, 0, -0.125f}));
    const Player& q = testWorld.players[6]; // each field where the encoder takes it from
    EXPECT_EQ(encoded(makeStateMessage(testWorld, 4)),
              record(WIRE_STATE, 4, 6, 77, {-8, 2, -3, 45, -10}));
    EXPECT_EQ(encoded(makeRocketMessage(6, 19, q.rocketLife[19], q.rocketPos[19], q.rocketVel[19])),
              record(WIRE_ROCKET, 6, 19, 99, {11, 0, 0, 0, 0, -0.125f}));
    EXPECT_LT(q.slot, 0) << "a rocket record brings no player in";
    const PlayerTable before = testWorld.players;
    for (const Record& r :
         {welcomeRecord(3), serverFullRecord(), wordsRecord({4242, 3, 0, 5}), stateRecord({8}),
          stateRecord({-1}), stateRecord({INT_MIN}), rocketRecord({1, 20, 300}),
          rocketRecord({1, -1, 300}), rocketRecord({MAX_PLAYERS, 0, 300})})
        take(r);
    EXPECT_EQ(std::memcmp(&before, &testWorld.players, sizeof before), 0);
    testWorld.localPlayer       = 0; // a kill of ours not yet counted outlives the victim's next
    testWorld.players[1].killer = 0; // record, not another killer
    take(stateRecord({1, WIRE_NO_KILLER, 0}));
    EXPECT_EQ(testWorld.players[1].killer, 0);
    take(stateRecord({1, 3, 0}));
    EXPECT_EQ(testWorld.players[1].killer, 3);
}

// A line shown once its parts are all in, in any order, printable; a kill gone after its time.
TEST(Record, ChatComesBackWholeAndPrintableAndKillsShowForTheirTime) {
    NetMessage parts[CHAT_PARTS_MAX];
    makeChatMessages(2, 7, LINE.c_str(), parts);
    freshWorld(testWorld);
    take(encoded(parts[2]));
    take(encoded(parts[0]));
    EXPECT_EQ(testWorld.messages.chatCount, 0) << "shown before its last part";
    take(encoded(parts[1]));
    take(encoded(parts[1])); // a part of a line already whole
    ASSERT_EQ(testWorld.messages.chatCount, 1);
    EXPECT_EQ(std::string(testWorld.messages.chat[0].text), LINE);
    take(chatRecord(2, 8, 3, 3, "out of range"));
    take(chatRecord(4, 1, 0, 1, "a\001b\377"));
    ASSERT_EQ(testWorld.messages.chatCount, 2);
    EXPECT_STREQ(testWorld.messages.chat[1].text, "a?b?");
    take(stateRecord({5, 3, 0}), 2000);
    ASSERT_EQ(testWorld.messages.killCount, 1);
    EXPECT_EQ(testWorld.messages.kill[0].killer, 3);
    EXPECT_EQ(testWorld.messages.kill[0].victim, 5);
    dropOldMessages(testWorld.messages, 2000 + KILL_SHOW_MS);
    EXPECT_EQ(testWorld.messages.killCount, 0);
}

TEST_F(Host, AcceptsOnePerFrameIntoTheLowestFreeSlotAndRefusesTheEighthWithOneRecord) {
    Peer a = connectPeer(), b = connectPeer();
    EXPECT_EQ(firstRecord(a), welcomeRecord(1));
    EXPECT_TRUE(b.nothingWaiting()) << "two accepts in one frame";
    EXPECT_EQ(firstRecord(b), welcomeRecord(2));
    Peer more[MAX_PLAYERS];
    for (int slot = 3; slot < MAX_PLAYERS; ++slot)
        more[slot] = join(slot);
    Peer eighth = connectPeer();
    EXPECT_EQ(firstRecord(eighth), serverFullRecord());
    EXPECT_TRUE(eighth.receiveBytes().empty()) << "more than the one refusal";
    EXPECT_TRUE(eighth.closedByPeer());
}

// Arena and match records are the host's own: a peer's are neither relayed nor taken.
TEST_F(Host, PassesOnNoArenaOrMatchRecordOfAPeer) {
    Peer a = join(1), b = join(2);
    for (uint32_t type = 3003; type <= 3006; ++type)
        a.sendRecord(wordsRecord({type, 0, 0, 10, 10, 5, 2}));
    const Record own = stateRecord({1});
    a.sendRecord(own);
    EXPECT_EQ(firstRecord(b), own);
    EXPECT_EQ(testWorld.matchView.number, 0);
}

// Torn records pieced, forged ones dropped; during the wait relayed at once, applied after.
TEST_F(Host, RelaysWholeRecordsOfAPeersOwnSlotToTheOthersAndAppliesThem) {
    Peer p1 = join(1), p2 = join(2), p3 = join(3);
    for (const Record& forged :
         {stateRecord({3, 1, 5}), stateRecord({0, 1, 5}), stateRecord({9}),
          rocketRecord({2, ROCKETS_PER_PLAYER, 300}), rocketRecord({1, 0, 300})})
        p2.sendRecord(forged);
    const Record own = record(WIRE_STATE, 2, WIRE_NO_KILLER, 64, {9.5f});
    const Record odd = wordsRecord({4242, 5, 1, 1}); // another type: passed on untouched
    p2.sendBytes(own.data(), 17);
    netExchange(testNet, testWorld, 1, 0);
    netExchange(testNet, testWorld, 1, 0);
    p2.sendBytes(own.data() + 17, WIRE_BYTES - 17);
    p2.sendRecord(odd);
    for (Peer* p : {&p1, &p3})
        EXPECT_EQ(std::vector<Record>({firstRecord(*p), firstRecord(*p)}),
                  std::vector<Record>({own, odd}));
    EXPECT_EQ(testWorld.players[2].health, 64);
    EXPECT_EQ(testWorld.players[2].pos[0], 9.5f);
    EXPECT_LT(testWorld.players[3].slot, 0) << "a forged record was applied";
    EXPECT_EQ(testWorld.players[0].health, FULL_HEALTH);
    EXPECT_EQ(testWorld.players[1].rocketLife[0], 0);
    expectNothingElse({&p1, &p2, &p3});
    const Record r = stateRecord({1, WIRE_NO_KILLER, 77});
    p1.sendRecord(r);
    netWait(testNet, 0, PEER_WAIT_MS);
    Record got;
    EXPECT_TRUE(p2.receiveRecord(&got) && got == r);
    EXPECT_NE(testWorld.players[1].health, 77);
    netExchange(testNet, testWorld, 1, 0);
    EXPECT_EQ(testWorld.players[1].health, 77);
    expectNothingElse({&p2});
}

// The step reads the network before it simulates: a peer's rocket flies its first step in the
// very step that took it.
TEST_F(Host, AStepFliesWhatItsOwnExchangeTook) {
    Peer p = join(1);
    WireState ship;
    ship.slot = 1; // its ship in play first: only a ship in play flies rockets
    ASSERT_TRUE(p.sendRecord(stateRecord(ship)));
    WireRocket rocket;
    rocket.slot   = 1;
    rocket.pos[0] = 100.0f;
    ASSERT_TRUE(p.sendRecord(rocketRecord(rocket)));
    static StepState step;
    static StepReport report;
    for (int ms = 0; ms < PEER_WAIT_MS && testWorld.players[1].rocketLife[0] == 0;
         ++ms, usleep(1000))
        runStep(testWorld, testNet, step, StepSetup{1, nullptr, nullptr}, 0, &report);
    EXPECT_EQ(testWorld.players[1].rocketLife[0], rocket.life - 1);
}

TEST_F(Host, ReadsAtMost64RecordsOfAPeerInOneStep) {
    Peer p1 = join(1), p2 = join(2);
    for (int k = 0; k < 100; ++k)
        p1.sendRecord(stateRecord({1, WIRE_NO_KILLER, k}));
    size_t relayed = 0;
    EXPECT_TRUE(exchangeUntil(1, [&] {
        const size_t now = p2.receiveBytes(20).size() / WIRE_BYTES;
        EXPECT_LE(now, size_t(MAX_READS_PER_PEER));
        return (relayed += now) == 100;
    }));
}

TEST_F(Host, DropsAPeer500SendsAfterItsLastRecordANewcomerAfter1000AndReusesTheSlot) {
    Peer p1 = join(1), p2 = join(2), p3 = join(3);
    p2.sendRecord(stateRecord({2}));
    ASSERT_TRUE(exchangeUntil(1, [] { return testWorld.players[2].slot == 2; }));
    int droppedAt[4] = {};
    for (int k = 1; k <= FIRST_COUNTDOWN; ++k) {
        if (k % 100 == 0) { // only peer 1 talks
            p1.sendRecord(stateRecord({1, WIRE_NO_KILLER, k}));
            ASSERT_TRUE(exchangeUntil(1, [k] { return testWorld.players[1].health == k; }));
        }
        netSend(testNet, makeStateMessage(testWorld, 0));
        for (int j = 1; j <= 3; ++j)
            droppedAt[j] = droppedAt[j] || testNet.host.connSlots[j].active ? droppedAt[j] : k;
    }
    EXPECT_EQ(std::vector<int>(droppedAt + 1, droppedAt + 4),
              std::vector<int>({0, REFILL_COUNTDOWN, FIRST_COUNTDOWN}));
    EXPECT_EQ(testWorld.players[2].slot, FREE_SLOT) << "a dropped peer's ship stays";
    EXPECT_TRUE(p2.closedByPeer());
    Peer next = join(2);
}

// Slot 2 knows only the first four kinds: it plays on as "PLAYER 3" and stays unknown.
TEST_F(Host, TakesNamesAndChatOnlyForAPeersOwnSlotAndAtMostFourChatRecordsASecond) {
    Peer p1 = join(1), p2 = join(2);
    p1.sendRecord(playerInfoRecord(2, 9, 9, "FORGED"));
    p1.sendRecord(playerInfoRecord(1, 1, 0, "ANNA"));
    for (uint32_t n = 0; n < 10; ++n)
        p1.sendRecord(chatRecord(1, n, 0, 1, "hi"));
    p1.sendRecord(stateRecord({1}));
    int infos = 0, chats = 0;
    for (Record got{}; got != stateRecord({1});) {
        ASSERT_TRUE(exchangeUntil(1, [&] { return p2.receiveRecord(&got, 20); }));
        infos += got == playerInfoRecord(1, 1, 0, "ANNA");
        chats += recordType(got) == WIRE_CHAT;
    }
    EXPECT_EQ(infos, 1);
    EXPECT_EQ(chats, findRecordRule(MSG_CHAT)->perSecond);
    p2.sendRecord(stateRecord({2, WIRE_NO_KILLER, 80}));
    EXPECT_EQ(firstRecord(p1), stateRecord({2, WIRE_NO_KILLER, 80}));
    char anna[PLAYER_NAME_BYTES + 1], never[PLAYER_NAME_BYTES + 1];
    playerName(testWorld, 1, anna);
    playerName(testWorld, 2, never);
    EXPECT_STREQ(anna, "ANNA");
    EXPECT_STREQ(never, "PLAYER 3");
    EXPECT_FALSE(testWorld.roster.known[2]);
}

// A peer that stops reading: once the queue is full whole records are dropped, the newest kept.
TEST(SocketLayer, ASlowReaderGetsWholeRecordsInOrderAndTheQueueStaysBounded) {
    int error   = 0;
    NetSocket l = socketListen(GAME_PORT, &error);
    Peer peer   = connectPeer(GAME_PORT, 4096);
    NetSocket s = socketAccept(l);
    uint32_t n  = 0;
    auto write  = [&] {
        socketWriteRecord(s, wordsRecord({WIRE_STATE, 1, n, n, n, n, n, n, n, ++n}).data());
        ASSERT_LE(socketQueuedBytes(s), SOCKET_QUEUE_BYTES);
    };
    uint32_t last = 0, arrived = 0;
    auto drain = [&](int waitMs) {
        for (Record r; peer.receiveRecord(&r, waitMs); ++arrived, last = recordWord(r, 9)) {
            const uint32_t k = recordWord(r, 2);
            ASSERT_EQ(r, wordsRecord({WIRE_STATE, 1, k, k, k, k, k, k, k, k + 1})) << "torn";
            ASSERT_GT(k + 1, last);
        }
    };
    // Each time the system's buffer fills, the record that meets its end may go out in part,
    // its rest waiting in the queue: six times over, then the queue fills and overflows.
    for (int fill = 0; fill < 6 && s != NO_SOCKET; ++fill) {
        while (socketQueuedBytes(s) == 0 && n < 2000000)
            write();
        for (int round = 0; round < 10000 && socketQueuedBytes(s) > 0; ++round, write())
            drain(1);
    }
    while (s != NO_SOCKET && socketQueuedBytes(s) + WIRE_BYTES <= SOCKET_QUEUE_BYTES && n < 2000000)
        write();
    for (int k = 0; k < 1000; ++k)
        write();
    for (int round = 0; round < 10000 && socketQueuedBytes(s) > 0; ++round, write())
        drain(1);
    drain(200);
    EXPECT_EQ(peer.pendingLength, 0);
    EXPECT_LT(arrived, n) << "nothing was dropped";
    EXPECT_EQ(last, n) << "the newest record did not arrive";
    socketCloseAll();
}

// Two sessions with two worlds in one process: the host welcomes the joiner, and the joiner's
// state record reaches the host's world.
TEST(Sessions, AHostAndAJoinerInOneProcessTradeAWelcomeAndAState) {
    const auto host = std::make_unique<NetSession>(), joiner = std::make_unique<NetSession>();
    const auto hostWorld   = std::make_unique<WorldState>(),
               joinerWorld = std::make_unique<WorldState>();
    for (WorldState* w : {hostWorld.get(), joinerWorld.get()}) {
        resetWorld(*w);
        resetPlayerTable(w->players);
    }
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    ASSERT_TRUE(netHostStart(*host, GAME_PORT, "test", address, problem)) << problem;
    netJoinStart(*joiner, "127.0.0.1", GAME_PORT);
    for (int ms = 0; ms < PEER_WAIT_MS && joinerWorld->localPlayer != 1; ++ms, usleep(1000)) {
        netExchange(*host, *hostWorld, 1, 0);
        ASSERT_EQ(netExchange(*joiner, *joinerWorld, 0, 0).exitCode, 0);
    }
    ASSERT_EQ(joinerWorld->localPlayer, 1) << "no welcome";
    joinerWorld->players[1].health = 42;
    netSend(*joiner, makeStateMessage(*joinerWorld, 1));
    for (int ms = 0; ms < PEER_WAIT_MS && hostWorld->players[1].health != 42; ++ms, usleep(1000))
        netExchange(*host, *hostWorld, 1, 0);
    EXPECT_EQ(hostWorld->players[1].health, 42);
    netShutdown(*joiner);
    netShutdown(*host);
}

// The busy host, a refusal, an incomplete address and a host that quits are the program's cases.
TEST(Join, EveryEndingSaysWhyWithItsExitCode) {
    enum Host { NONE, CLOSES, FALLS_SILENT, NEVER_ANSWERS };
    // clang-format off
    const struct { const char* typed; Host host; int exitCode; const char* reason; } cases[] = {
        {"nosuchhost.invalid", NONE,   3, "The name \"nosuchhost.invalid\" could not be"},
        {"127.0.0.1",          CLOSES, 3, "The host at 127.0.0.1:2345 closed the connection before"},
        {"127.0.0.1", FALLS_SILENT,  4, "Nothing came from the host at 127.0.0.1:2345"},
        {"127.0.0.1", NEVER_ANSWERS, 3, "No answer from 127.0.0.1:2345 within 10 seconds"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        freshWorld(testWorld);
        const int listener = c.host == NONE ? -1 : listenAsHost();
        netJoinStart(testNet, c.typed, GAME_PORT);
        Peer host = acceptPeer(listener, c.host == NONE ? 0 : PEER_WAIT_MS);
        if (c.host == FALLS_SILENT) host.sendRecord(welcomeRecord(1));
        if (c.host == FALLS_SILENT) host.sendRecord(stateRecord({0}));
        if (c.host == CLOSES) host = Peer{};
        NetEnding e{};
        const uint32_t start = 0xFFFFF000u; // the welcome's limit counts across the clock's wrap
        if (c.host == FALLS_SILENT) {
            ASSERT_TRUE(exchangeUntil(0, [] { return testWorld.players[0].slot == 0; }));
            for (int check = 1; check < 491; ++check)
                ASSERT_EQ(checkGlobalTimeout(testNet).exitCode, 0) << "check " << check;
            e = checkGlobalTimeout(testNet);
        } else if (c.host == NEVER_ANSWERS) {
            EXPECT_EQ(netExchange(testNet, testWorld, 0, start).exitCode, 0);
            EXPECT_EQ(netExchange(testNet, testWorld, 0, start + WELCOME_LIMIT_MS).exitCode, 0);
            e = netExchange(testNet, testWorld, 0, start + WELCOME_LIMIT_MS + 1);
        } else {
            for (int ms = 0;
                 ms < PEER_WAIT_MS && (e = netExchange(testNet, testWorld, 0, 0)).exitCode == 0;
                 ++ms)
                usleep(1000);
        }
        const std::string text = e.text;
        EXPECT_EQ(e.exitCode, c.exitCode);
        EXPECT_EQ(text.substr(text.find('\n') + 1).rfind(c.reason, 0), 0u) << text;
        netShutdown(testNet);
        if (listener >= 0) ::close(listener);
    }
}

TEST(Join, TheTypedAddressIsTakenApartOrRefusedWithItsReason) {
    const std::string tooLong(300, 'a');
    using P = AddressProblem;
    // clang-format off
    const struct { const char* typed; AddressProblem problem; std::string where; } cases[] = {
        {"127.0.0.1", P::NONE, "127.0.0.1:2345"}, {" 127.0.0.1 : 9999 ", P::NONE, "127.0.0.1:9999"},
        {"\tgame-host", P::NONE, "game-host:2345"}, {nullptr, P::EMPTY, ""}, {"  :2345", P::EMPTY, ""},
        {"192.168.0.", P::INCOMPLETE, ""}, {"10.1", P::INCOMPLETE, ""}, {"300.1.2.3", P::INCOMPLETE, ""},
        {"127.0.0.1:", P::BAD_PORT, ""}, {"127.0.0.1:70000", P::BAD_PORT, ""},
        {"127.0.0.1:23a5", P::BAD_PORT, ""}, {"127.0.0.1:2345:2345", P::BAD_PORT, ""},
        {tooLong.c_str(), P::TOO_LONG, ""},
        // clang-format on
    };
    for (const auto& c : cases) { // where: host:port when taken apart
        JoinAddress a;
        EXPECT_EQ(parseJoinAddress(c.typed, 2345, &a), c.problem) << (c.typed ? c.typed : "null");
        EXPECT_EQ(c.problem == P::NONE ? a.host + (":" + std::to_string(a.port)) : "", c.where);
    }
}
