// The record's byte layout and the rules for applying a received one.
#include <cstring>
#include <gtest/gtest.h>

#include "net/net_message.h"
#include "tests/net/peer_socket.h"
#include "world/world_state.h"

namespace {
struct NetMessageTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        resetPlayerTable();
    }
};

bool tableUnchangedBy(const NetMessage& msg) {
    PlayerTable before = playerTable;
    applyNetMessage(msg);
    return std::memcmp(&before, &playerTable, sizeof before) == 0;
}
} // namespace

TEST_F(NetMessageTest, EncodesEveryWordLeastSignificantByteFirst) {
    NetMessage m = stateMessage(3, -1, 100, 1.0f);
    uint8_t b[NET_RECORD_SIZE];
    encodeNetMessage(m, b);
    const uint8_t head[] = {0xF5, 0x03, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF,
                            0xFF, 0xFF, 0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(std::memcmp(b, head, sizeof head), 0);
    const uint8_t last[] = {0xEF, 0xBE, 0xAD, 0xDE};
    EXPECT_EQ(std::memcmp(b + 36, last, sizeof last), 0);
    EXPECT_TRUE(sameBytes(decodeNetMessage(b), m));
    EXPECT_EQ(netMessageType(decodeNetMessage(b)), MSG_STATE);
}

TEST_F(NetMessageTest, BuildsStateAndRocketRecordsFromTheLocalEntry) {
    Player& p          = playerTable[2];
    p.killer           = 5;
    p.health           = 42;
    p.pos[0]           = 1.5f;
    p.yaw              = 90.0f;
    p.pitch            = -12.5f;
    p.rocketLife[19]   = 300;
    p.rocketPos[19][2] = 7.0f;
    p.rocketVel[19][0] = 0.275f;

    NetMessage s = makeStateMessage(2);
    resetPlayerTable();
    applyNetMessage(s);
    EXPECT_EQ(playerTable[2].slot, 2);
    EXPECT_EQ(playerTable[2].killer, 5);
    EXPECT_EQ(playerTable[2].health, 42);
    EXPECT_EQ(playerTable[2].pos[0], 1.5f);
    EXPECT_EQ(playerTable[2].yaw, 90.0f);
    EXPECT_EQ(playerTable[2].pitch, -12.5f);

    playerTable[2].rocketLife[19]   = 300;
    playerTable[2].rocketPos[19][2] = 7.0f;
    playerTable[2].rocketVel[19][0] = 0.275f;
    const Player& two               = playerTable[2];
    NetMessage r =
        makeRocketMessage(2, 19, two.rocketLife[19], two.rocketPos[19], two.rocketVel[19]);
    EXPECT_EQ(netMessageType(r), MSG_ROCKET);
    EXPECT_EQ(r.word[2], 19u);
    EXPECT_EQ(r.word[3], 300u);
    resetPlayerTable();
    applyNetMessage(r);
    EXPECT_EQ(playerTable[2].rocketLife[19], 300);
    EXPECT_EQ(playerTable[2].rocketPos[19][2], 7.0f);
    EXPECT_EQ(playerTable[2].rocketVel[19][0], 0.275f);
    EXPECT_LT(playerTable[2].slot, 0) << "a rocket record does not bring a player in";
}

TEST_F(NetMessageTest, StateBringsAFreeEntryInAndLeavesVelocityAndRocketsAlone) {
    playerTable[4].vel[1]        = 0.045f;
    playerTable[4].rocketLife[0] = 120;
    applyNetMessage(stateMessage(4, -1, 77, -8.0f));
    const Player& p = playerTable[4];
    EXPECT_EQ(p.slot, 4);
    EXPECT_EQ(p.health, 77);
    EXPECT_EQ(p.pos[0], -8.0f);
    EXPECT_EQ(p.pos[1], 2.0f);
    EXPECT_EQ(p.pos[2], -3.0f);
    EXPECT_EQ(p.vel[1], 0.045f);
    EXPECT_EQ(p.rocketLife[0], 120);
}

TEST_F(NetMessageTest, ExplosionOfAnUnseenRocketIsPlacedWhereTheRecordSays) {
    applyNetMessage(rocketMessage(6, 4, 99, 11.0f));
    EXPECT_EQ(playerTable[6].rocketLife[4], 99);
    EXPECT_EQ(playerTable[6].rocketPos[4][0], 11.0f);
    EXPECT_EQ(playerTable[6].rocketVel[4][2], -0.125f);
}

TEST_F(NetMessageTest, OtherTypesAndRecordsOutsideTheTablesChangeNothing) {
    EXPECT_TRUE(tableUnchangedBy(makeControlMessage(MSG_WELCOME, 3)));
    EXPECT_TRUE(tableUnchangedBy(makeControlMessage(MSG_SERVER_FULL, 0)));
    NetMessage unknown = stateMessage(3, -1, 5, 1.0f);
    unknown.word[0]    = 1234;
    EXPECT_TRUE(tableUnchangedBy(unknown));
    EXPECT_TRUE(tableUnchangedBy(stateMessage(8, -1, 5, 1.0f)));
    EXPECT_TRUE(tableUnchangedBy(stateMessage(-1, -1, 5, 1.0f)));
    EXPECT_TRUE(tableUnchangedBy(stateMessage(INT32_MIN, -1, 5, 1.0f)));
    EXPECT_TRUE(tableUnchangedBy(rocketMessage(1, 20, 300, 1.0f)));
    EXPECT_TRUE(tableUnchangedBy(rocketMessage(1, -1, 300, 1.0f)));
    EXPECT_TRUE(tableUnchangedBy(rocketMessage(9, 0, 300, 1.0f)));
    EXPECT_FALSE(netMessageFitsTables(rocketMessage(7, 20, 300, 1.0f)));
    EXPECT_TRUE(netMessageFitsTables(rocketMessage(7, 19, 300, 1.0f)));
    EXPECT_TRUE(netMessageFitsTables(unknown));
}
