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
//   MSG_HEARTBEAT (3007), host only: word 1 = -1 (no player), word 2 = the server's step
//   count (unsigned, wrapping), words 3-9 zero. A dedicated server has no ship whose state
//   would reach its joiners every step, so it sends this instead: any whole record keeps a
//   joiner's silence count full, and peers that know only the four types ignore it.
//
// Every word travels least significant byte first; ints are two's complement, floats their
// IEEE 754 single-precision bit pattern. There is no header, length or checksum.
#include "net/net_message.h"

#include <algorithm>
#include <cstring>

#include "net/record_words.h"
#include "world/world_state.h"

namespace {
constexpr int32_t NO_PLAYER = -1; // a heartbeat speaks for nobody
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

NetMessage makeStateMessage(const WorldState& world, int32_t slot) {
    NetMessage msg{};
    msg.word[W_TYPE] = intBits(MSG_STATE);
    msg.word[W_SLOT] = intBits(slot);
    if (!isValidSlot(slot)) return msg;
    const Player& p    = world.players[slot];
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
    msg.word[W_TYPE]              = intBits(MSG_PLAYER_INFO);
    msg.word[W_SLOT]              = intBits(slot);
    msg.word[W_KILLS]             = intBits(kills);
    msg.word[W_DEATHS]            = intBits(deaths);
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
        NetMessage& msg             = parts[p];
        msg                         = NetMessage{};
        msg.word[W_TYPE]            = intBits(MSG_CHAT);
        msg.word[W_SLOT]            = intBits(slot);
        msg.word[W_PARTS]           = line | uint32_t(p) << 16 | uint32_t(count) << 24;
        char bytes[CHAT_PART_BYTES] = {};
        const int from              = p * CHAT_PART_BYTES;
        std::memcpy(bytes, text + from,
                    static_cast<size_t>(std::min(CHAT_PART_BYTES, length - from)));
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

NetMessage makeHeartbeatMessage(uint32_t step) {
    NetMessage msg{};
    msg.word[W_TYPE] = intBits(MSG_HEARTBEAT);
    msg.word[W_SLOT] = intBits(NO_PLAYER);
    msg.word[W_STEP] = step;
    return msg;
}
