// The 40-byte record: byte layout, encoding, the records this machine builds, applying one.
//
//   bytes   word  field (MSG_STATE)     field (MSG_ROCKET)      type of word
//   0-3     0     type 1013             type 1014               int
//   4-7     1     slot (sender's own)   slot (rocket's owner)   int
//   8-11    2     killer                rocket index 0-19       int
//   12-15   3     health                rocketLife              int
//   16-27   4-6   pos x, y, z           rocketPos x, y, z       float
//   28-35   7-8   yaw, pitch            rocketVel x, y          float
//   36-39   9     unused                rocketVel z             float
//
//   MSG_WELCOME (1010): slot = the slot given to the new peer. MSG_SERVER_FULL (1016):
//   slot = 0. Words that a type does not use may hold anything and are ignored.
//
// Every word travels least significant byte first; ints are two's complement, floats their
// IEEE 754 single-precision bit pattern. There is no header, length or checksum.
#include "net/net_message.h"

#include <cstring>

#include "world/world_state.h"

namespace {
// Word positions inside the record.
constexpr int W_TYPE   = 0;
constexpr int W_SLOT   = 1;
constexpr int W_KILLER = 2; // state
constexpr int W_HEALTH = 3; // state
constexpr int W_INDEX  = 2; // rocket
constexpr int W_LIFE   = 3; // rocket
constexpr int W_POS    = 4; // three words, state and rocket
constexpr int W_YAW    = 7; // state
constexpr int W_PITCH  = 8; // state
constexpr int W_VEL    = 7; // three words, rocket

uint32_t intBits(int32_t v) {
    return static_cast<uint32_t>(v);
}
int32_t bitsInt(uint32_t w) {
    return static_cast<int32_t>(w);
}

uint32_t floatBits(float f) {
    uint32_t w;
    std::memcpy(&w, &f, sizeof w);
    return w;
}

float bitsFloat(uint32_t w) {
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}
} // namespace

void encodeNetMessage(const NetMessage& msg, uint8_t out[NET_RECORD_SIZE]) {
    for (int i = 0; i < NET_RECORD_WORDS; ++i) {
        uint32_t w     = msg.word[i];
        out[4 * i]     = static_cast<uint8_t>(w);
        out[4 * i + 1] = static_cast<uint8_t>(w >> 8);
        out[4 * i + 2] = static_cast<uint8_t>(w >> 16);
        out[4 * i + 3] = static_cast<uint8_t>(w >> 24);
    }
}

NetMessage decodeNetMessage(const uint8_t in[NET_RECORD_SIZE]) {
    NetMessage msg;
    for (int i = 0; i < NET_RECORD_WORDS; ++i) {
        msg.word[i] = static_cast<uint32_t>(in[4 * i]) | static_cast<uint32_t>(in[4 * i + 1]) << 8 |
                      static_cast<uint32_t>(in[4 * i + 2]) << 16 |
                      static_cast<uint32_t>(in[4 * i + 3]) << 24;
    }
    return msg;
}

int32_t netMessageType(const NetMessage& msg) {
    return bitsInt(msg.word[W_TYPE]);
}
int32_t netMessageSlot(const NetMessage& msg) {
    return bitsInt(msg.word[W_SLOT]);
}

bool netMessageFitsTables(const NetMessage& msg) {
    int32_t type = netMessageType(msg);
    if (type != MSG_STATE && type != MSG_ROCKET) return true;
    if (!isValidSlot(netMessageSlot(msg))) return false;
    return type == MSG_STATE || isValidRocket(bitsInt(msg.word[W_INDEX]));
}

NetMessage makeStateMessage(int32_t slot) {
    NetMessage msg{};
    msg.word[W_TYPE] = intBits(MSG_STATE);
    msg.word[W_SLOT] = intBits(slot);
    if (!isValidSlot(slot)) return msg;
    const Player& p    = playerTable[slot];
    msg.word[W_KILLER] = intBits(p.killer);
    msg.word[W_HEALTH] = intBits(p.health);
    for (int a = 0; a < 3; ++a)
        msg.word[W_POS + a] = floatBits(p.pos[a]);
    msg.word[W_YAW]   = floatBits(p.yaw);
    msg.word[W_PITCH] = floatBits(p.pitch);
    return msg;
}

NetMessage makeRocketMessage(int32_t slot, int32_t rocket, int32_t life, const float pos[3],
                             const float vel[3]) {
    NetMessage msg{};
    msg.word[W_TYPE]  = intBits(MSG_ROCKET);
    msg.word[W_SLOT]  = intBits(slot);
    msg.word[W_INDEX] = intBits(rocket);
    msg.word[W_LIFE]  = intBits(life);
    for (int a = 0; a < 3; ++a) {
        msg.word[W_POS + a] = floatBits(pos[a]);
        msg.word[W_VEL + a] = floatBits(vel[a]);
    }
    return msg;
}

NetMessage makeControlMessage(int32_t type, int32_t slot) {
    NetMessage msg{};
    msg.word[W_TYPE] = intBits(type);
    msg.word[W_SLOT] = intBits(slot);
    return msg;
}

void applyNetMessage(const NetMessage& msg) {
    if (!netMessageFitsTables(msg)) return;
    int32_t type = netMessageType(msg);
    int32_t slot = netMessageSlot(msg);
    if (type == MSG_STATE) {
        Player& p      = playerTable[slot];
        int32_t killer = bitsInt(msg.word[W_KILLER]);
        // A later record of the victim must not wipe a kill this machine has yet to count.
        bool creditPending = isValidSlot(localPlayer) && p.killer == localPlayer;
        p.slot             = slot;
        if (!(creditPending && killer == NO_KILLER)) p.killer = killer;
        p.health = bitsInt(msg.word[W_HEALTH]);
        for (int a = 0; a < 3; ++a)
            p.pos[a] = bitsFloat(msg.word[W_POS + a]);
        p.yaw   = bitsFloat(msg.word[W_YAW]);
        p.pitch = bitsFloat(msg.word[W_PITCH]);
    } else if (type == MSG_ROCKET) {
        Player& p       = playerTable[slot];
        int32_t j       = bitsInt(msg.word[W_INDEX]);
        p.rocketLife[j] = bitsInt(msg.word[W_LIFE]);
        for (int a = 0; a < 3; ++a) {
            p.rocketPos[j][a] = bitsFloat(msg.word[W_POS + a]);
            p.rocketVel[j][a] = bitsFloat(msg.word[W_VEL + a]);
        }
    }
}
