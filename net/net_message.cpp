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
//   bytes   word  field (MSG_PLAYER_INFO)      field (MSG_CHAT)
//   0-3     0     type 3001                    type 3002
//   4-7     1     slot (sender's own)          slot (sender's own)
//   8-11    2     kills (int)                  line number (bytes 8-9), part (byte 10, from
//                                              0), parts of the line (byte 11, 1 to 3)
//   12-15   3     deaths (int)                 text bytes 0-3 of this part
//   16-39   4-9   name, 24 bytes, zero-padded  text bytes 4-27 of this part, zero-padded
//
//   A chat line of up to 80 characters travels as up to three parts of 28 bytes and is shown
//   once all its parts are in. Text is printable ASCII; anything else is shown as '?'. Peers
//   that know only the four types above ignore these two, and a host that knows only them
//   relays them unchanged.
//
// Every word travels least significant byte first; ints are two's complement, floats their
// IEEE 754 single-precision bit pattern. There is no header, length or checksum.
#include "net/net_message.h"

#include <algorithm>
#include <cstring>

#include "net/chat_assembly.h"
#include "world/messages.h"
#include "world/roster.h"
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
constexpr int W_KILLS  = 2; // player info
constexpr int W_DEATHS = 3; // player info
constexpr int W_NAME   = 4; // player info: six words of name bytes
constexpr int W_PARTS  = 2; // chat: line number, part, parts
constexpr int W_TEXT   = 3; // chat: seven words of text bytes

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
// Bytes into consecutive words, least significant first.
void putBytes(NetMessage& msg, int firstWord, const char* bytes, int count) {
    for (int k = 0; k < count; ++k)
        msg.word[firstWord + k / 4] |= uint32_t(static_cast<uint8_t>(bytes[k])) << (8 * (k % 4));
}

void getBytes(const NetMessage& msg, int firstWord, char* bytes, int count) {
    for (int k = 0; k < count; ++k)
        bytes[k] = static_cast<char>(msg.word[firstWord + k / 4] >> (8 * (k % 4)));
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
    if (type == MSG_PLAYER_INFO || type == MSG_CHAT) return isValidSlot(netMessageSlot(msg));
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

NetMessage makePlayerInfoMessage(int32_t slot, int32_t kills, int32_t deaths, const char* name) {
    NetMessage msg{};
    msg.word[W_TYPE]   = intBits(MSG_PLAYER_INFO);
    msg.word[W_SLOT]   = intBits(slot);
    msg.word[W_KILLS]  = intBits(kills);
    msg.word[W_DEATHS] = intBits(deaths);
    char bytes[PLAYER_NAME_BYTES] = {};
    std::memcpy(bytes, name, strnlen(name, PLAYER_NAME_BYTES));
    putBytes(msg, W_NAME, bytes, PLAYER_NAME_BYTES);
    return msg;
}

int makeChatMessages(int32_t slot, uint16_t line, const char* text,
                     NetMessage parts[CHAT_PARTS_MAX]) {
    const int length = static_cast<int>(strnlen(text, CHAT_TEXT_CHARS));
    const int count  = length == 0 ? 1 : (length + CHAT_PART_BYTES - 1) / CHAT_PART_BYTES;
    for (int p = 0; p < count; ++p) {
        NetMessage& msg = parts[p];
        msg             = NetMessage{};
        msg.word[W_TYPE]  = intBits(MSG_CHAT);
        msg.word[W_SLOT]  = intBits(slot);
        msg.word[W_PARTS] = line | uint32_t(p) << 16 | uint32_t(count) << 24;
        char bytes[CHAT_PART_BYTES] = {};
        const int from              = p * CHAT_PART_BYTES;
        std::memcpy(bytes, text + from, static_cast<size_t>(std::min(CHAT_PART_BYTES, length - from)));
        putBytes(msg, W_TEXT, bytes, CHAT_PART_BYTES);
    }
    return count;
}

NetMessage makeControlMessage(int32_t type, int32_t slot) {
    NetMessage msg{};
    msg.word[W_TYPE] = intBits(type);
    msg.word[W_SLOT] = intBits(slot);
    return msg;
}

void applyNetMessage(const NetMessage& msg, uint32_t nowMs) {
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
        if (isValidSlot(killer)) addKillLine(nowMs, killer, slot);
    } else if (type == MSG_ROCKET) {
        Player& p       = playerTable[slot];
        int32_t j       = bitsInt(msg.word[W_INDEX]);
        p.rocketLife[j] = bitsInt(msg.word[W_LIFE]);
        for (int a = 0; a < 3; ++a) {
            p.rocketPos[j][a] = bitsFloat(msg.word[W_POS + a]);
            p.rocketVel[j][a] = bitsFloat(msg.word[W_VEL + a]);
        }
    } else if (type == MSG_PLAYER_INFO) {
        char name[PLAYER_NAME_BYTES];
        getBytes(msg, W_NAME, name, PLAYER_NAME_BYTES);
        setPlayerInfo(slot, bitsInt(msg.word[W_KILLS]), bitsInt(msg.word[W_DEATHS]), name);
    } else if (type == MSG_CHAT) {
        char text[CHAT_PART_BYTES];
        getBytes(msg, W_TEXT, text, CHAT_PART_BYTES);
        const uint32_t parts = msg.word[W_PARTS];
        char line[CHAT_TEXT_CHARS + 1];
        if (addChatPart(slot, parts & 0xFFFFu, (parts >> 16) & 0xFFu, parts >> 24, text, line))
            addChatLine(nowMs, slot, line);
    }
}
