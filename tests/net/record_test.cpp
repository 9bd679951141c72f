// The record's bytes for every type, and applying what arrives within the tables.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "net/net_message.h"
#include "tests/support/wire.h"
#include "tests/support/world_setup.h"

namespace {
Record encoded(const NetMessage& msg) {
    Record r;
    encodeNetMessage(msg, r.data());
    return r;
}

void apply(const Record& r) {
    applyNetMessage(decodeNetMessage(r.data()));
}
} // namespace

TEST(Record, EveryTypeTravelsAsTenWordsLeastSignificantByteFirst) {
    freshWorld();
    Player& p         = placeShip(2, {1.5f, -2, 3}, 90, -12.5f);
    p.killer          = 5;
    p.health          = 42;
    const float at[3] = {0.5f, 0.25f, 7}, vel[3] = {0.275f, 0, -0.125f};
    const struct {
        NetMessage game;
        Record ours;
    } cases[] = {
        {makeStateMessage(2),                                                stateRecord({2, 5, 42, {1.5f, -2, 3}, 90, -12.5f})},
        {   makeRocketMessage(2,                                                                19,                                                300, at, vel),
         rocketRecord({2, 19, 300, {0.5f, 0.25f, 7}, {0.275f, 0, -0.125f}})},
        { makeControlMessage(MSG_WELCOME, 3),                                                   welcomeRecord(3)},
        {                       makeControlMessage(MSG_SERVER_FULL,                                                  0),                                                  serverFullRecord()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encoded(c.game), c.ours) << "type " << recordType(c.ours);
        const NetMessage back = decodeNetMessage(c.ours.data());
        EXPECT_EQ(std::memcmp(back.word, c.game.word, sizeof back.word), 0);
    }
    // The tests' own codec, byte for byte: type 1013, slot 2, killer 5, health 42, x 1.5.
    const uint8_t head[] = {0xF5, 3, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 42, 0, 0, 0, 0, 0, 0xC0, 0x3F};
    EXPECT_EQ(std::memcmp(cases[0].ours.data(), head, sizeof head), 0);
}

TEST(Record, ARecordFillsOnlyItsOwnEntryAndNothingOutsideTheTables) {
    freshWorld();
    apply(stateRecord({
        4, 6, 77, {-8, 2, -3},
           45, -10
    }));
    const Player& p = playerTable[4];
    EXPECT_EQ(p.slot + p.killer + p.health, 4 + 6 + 77);
    EXPECT_EQ(p.pos[0] + p.pos[1] + p.pos[2], -9); // -8, 2, -3
    EXPECT_EQ(p.yaw - p.pitch, 55);                // 45, -10
    apply(rocketRecord({
        6, 19, 99, {11, 0, 0      },
           {0,  0, -0.125f}
    }));
    const Player& q = playerTable[6];
    EXPECT_EQ(q.rocketLife[19], 99);
    EXPECT_EQ(q.rocketPos[19][0] - q.rocketPos[19][2], 11);
    EXPECT_EQ(q.rocketVel[19][2], -0.125f);
    EXPECT_LT(q.slot, 0) << "a rocket record brings no player in";

    const PlayerTable before = playerTable;
    for (const Record& r :
         {welcomeRecord(3), serverFullRecord(), wordsRecord({4242, 3, 0, 5}), stateRecord({8}),
          stateRecord({-1}), stateRecord({INT_MIN}), rocketRecord({1, 20}), rocketRecord({1, -1}),
          rocketRecord({MAX_PLAYERS, 0})})
        apply(r);
    EXPECT_EQ(std::memcmp(&before, &playerTable, sizeof before), 0);

    // A kill of ours not yet counted outlives the victim's next record, not another killer.
    localPlayer           = 0;
    playerTable[1].killer = 0;
    apply(stateRecord({1, WIRE_NO_KILLER, 0}));
    EXPECT_EQ(playerTable[1].killer, 0);
    apply(stateRecord({1, 3, 0}));
    EXPECT_EQ(playerTable[1].killer, 3);
}
