// The joiner over real loopback sockets, the test playing the host byte for byte, and the
// typed address taken apart.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "net/join_address.h"
#include "net/net_join.h"
#include "tests/net/exchange.h"
#include "tests/support/world_setup.h"

namespace {
struct Join : ::testing::Test {
    int listener = -1;
    void SetUp() override {
        freshWorld();
        globalTimeout = 0;
    }
    void TearDown() override {
        netShutdown();
        if (listener >= 0) ::close(listener);
        listener = -1;
    }
    // A joiner of the test's host, which has sent what is given.
    Peer hostSending(std::initializer_list<Record> records) {
        listener = listenAsHost();
        netJoinStart("127.0.0.1", GAME_PORT);
        Peer host = acceptPeer(listener);
        for (const Record& r : records)
            host.sendRecord(r);
        return host;
    }
};

} // namespace

TEST_F(Join, TheWelcomeGivesTheSlotAndTheRecordsBehindItAreApplied) {
    const Record state = stateRecord({
        0, WIRE_NO_KILLER, 100, {6, 0, 0}
    });
    Peer host          = hostSending({welcomeRecord(3), state, rocketRecord({0, 2, 300})});
    EXPECT_TRUE(exchangeUntil(0, [] { return playerTable[0].rocketLife[2] == 300; }));
    EXPECT_EQ(localPlayer, 3);
    EXPECT_EQ(playerTable[3].health, FULL_HEALTH);
    EXPECT_EQ(playerTable[0].pos[0], 6);
    EXPECT_EQ(playerTable[0].rocketLife[2], 300);
    netSend(makeStateMessage(3));
    Record sent;
    ASSERT_TRUE(host.receiveRecord(&sent));
    EXPECT_EQ(recordSlot(sent), 3);
    host.sendBytes(state.data(), 39); // part of one: nothing yet
    netExchange(0, 0);
    netExchange(0, 0);
    host.sendBytes(state.data() + 39, 1);
    host.sendRecord(stateRecord({5, WIRE_NO_KILLER, 11}));
    EXPECT_TRUE(exchangeUntil(0, [] { return playerTable[5].health == 11; }))
        << "the stream lost its step";
}

// Every way a join ends: the exit code and the first words of the reason.
TEST_F(Join, EveryEndingSaysWhyWithItsExitCode) {
    enum Host { NONE, FULL, CLOSES, WELCOMES_THEN_CLOSES, FALLS_SILENT, NEVER_ANSWERS };
    const struct {
        const char* typed;
        Host host;
        int exitCode;
        const char* reason;
    } cases[] = {
        {"127.0.0.1",          FULL,                 1, "The host at 127.0.0.1:2345 already has seven"           },
        {"127.0.0.1:2346",     NONE,                 3, "127.0.0.1 refused the connection on TCP port 2346"      },
        {"nosuchhost.invalid", NONE,                 3, "The name \"nosuchhost.invalid\" could not be"           },
        {"192.168.0.",         NONE,                 3, "The address \"192.168.0.\" is incomplete"               },
        {"127.0.0.1:70000",    NONE,                 3, "The port in \"127.0.0.1:70000\" is not"                 },
        {"127.0.0.1",          CLOSES,               3, "The host at 127.0.0.1:2345 closed the connection before"},
        {"127.0.0.1",          WELCOMES_THEN_CLOSES, 4,
         "The host at 127.0.0.1:2345 closed the connection: it"                                                  },
        {"127.0.0.1",          FALLS_SILENT,         4, "Nothing came from the host at 127.0.0.1:2345"           },
        {"127.0.0.1",          NEVER_ANSWERS,        3, "No answer from 127.0.0.1:2345 within 10 seconds"        },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        TearDown();
        SetUp();
        listener = c.host == NONE ? -1 : listenAsHost();
        netJoinStart(c.typed, GAME_PORT);
        Peer host = acceptPeer(listener, c.host == NONE ? 0 : PEER_WAIT_MS);
        if (c.host == FULL) host.sendRecord(serverFullRecord());
        if (c.host == WELCOMES_THEN_CLOSES || c.host == FALLS_SILENT)
            host.sendRecord(welcomeRecord(1));
        if (c.host == FALLS_SILENT) host.sendRecord(stateRecord({0}));
        if (c.host == CLOSES || c.host == WELCOMES_THEN_CLOSES) host = Peer{};
        NetEnding e{};
        if (c.host == FALLS_SILENT) {
            ASSERT_TRUE(exchangeUntil(0, [] { return playerTable[0].slot == 0; }));
            for (int check = 1; check < 491; ++check)
                ASSERT_EQ(checkGlobalTimeout().exitCode, 0) << "check " << check;
            e = checkGlobalTimeout();
        } else if (c.host == NEVER_ANSWERS) {
            const uint32_t start = 0xFFFFF000u; // the limit counts across the clock's wrap
            EXPECT_EQ(netExchange(0, start).exitCode, 0);
            EXPECT_EQ(netExchange(0, start + WELCOME_LIMIT_MS).exitCode, 0);
            e = netExchange(0, start + WELCOME_LIMIT_MS + 1);
        } else {
            exchangeUntil(
                0, [] { return false; }, &e);
        }
        EXPECT_EQ(e.exitCode, c.exitCode);
        const std::string text = e.text, second = text.substr(text.find('\n') + 1);
        EXPECT_EQ(second.rfind(c.reason, 0), 0u) << text;
    }
}

// What a player types: blanks around, an optional port, nothing half done sent anywhere.
TEST(JoinAddressText, IsTakenApartOrRefusedWithItsReason) {
    const std::string tooLong(300, 'a');
    const struct {
        const char* typed;
        AddressProblem problem;
        const char* host;
        int port;
    } cases[] = {
        {"127.0.0.1",           AddressProblem::NONE,       "127.0.0.1", 2345},
        {" 127.0.0.1 : 9999 ",  AddressProblem::NONE,       "127.0.0.1", 9999},
        {"\tgame-host",         AddressProblem::NONE,       "game-host", 2345},
        {nullptr,               AddressProblem::EMPTY,      "",          2345},
        {"  :2345",             AddressProblem::EMPTY,      "",          2345},
        {"192.168.0.",          AddressProblem::INCOMPLETE, "",          2345},
        {"10.1",                AddressProblem::INCOMPLETE, "",          2345},
        {"300.1.2.3",           AddressProblem::INCOMPLETE, "",          2345},
        {"127.0.0.1:",          AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:70000",     AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:23a5",      AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:2345:2345", AddressProblem::BAD_PORT,   "",          2345},
        {tooLong.c_str(),       AddressProblem::TOO_LONG,   "",          2345},
    };
    for (const auto& c : cases) {
        JoinAddress a;
        EXPECT_EQ(parseJoinAddress(c.typed, 2345, &a), c.problem) << (c.typed ? c.typed : "null");
        if (c.problem != AddressProblem::NONE) continue;
        EXPECT_STREQ(a.host, c.host);
        EXPECT_EQ(a.port, c.port);
    }
}
