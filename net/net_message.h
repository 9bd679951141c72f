// The 40-byte record that is all of the game's traffic.
//
// Ten 32-bit words, each least significant byte first, no other framing:
//   word 0  type     int     MSG_WELCOME | MSG_STATE | MSG_ROCKET | MSG_SERVER_FULL
//   word 1  slot     int     player slot the record is about
//   word 2  killer (state) | rocket index (rocket)           int
//   word 3  health (state) | rocketLife (rocket)             int
//   word 4-6  pos (state) | rocketPos (rocket)               float
//   word 7-8  yaw, pitch (state) | rocketVel x, y (rocket)   float
//   word 9    unused (state) | rocketVel z (rocket)          float
// Floats travel as their bit patterns.
#pragma once

#include <cstdint>

struct WorldState;

constexpr int32_t MSG_WELCOME     = 1010;
constexpr int32_t MSG_STATE       = 1013;
constexpr int32_t MSG_ROCKET      = 1014;
constexpr int32_t MSG_SERVER_FULL = 1016;
constexpr int32_t MSG_PLAYER_INFO = 3001; // a player's name, kills and deaths
constexpr int32_t MSG_CHAT        = 3002; // one part of a chat line
constexpr int32_t MSG_HEARTBEAT   = 3007; // a dedicated server's every step: nothing else
constexpr int CHAT_PART_BYTES     = 28;
constexpr int CHAT_PARTS_MAX      = 3;
constexpr int NET_RECORD_SIZE     = 40;
constexpr int NET_RECORD_WORDS    = 10;

struct NetMessage {
    uint32_t word[NET_RECORD_WORDS]; // host-order values; floats as bit patterns
};

void encodeNetMessage(const NetMessage& msg, uint8_t out[NET_RECORD_SIZE]);
NetMessage decodeNetMessage(const uint8_t in[NET_RECORD_SIZE]);

int32_t netMessageType(const NetMessage& msg);
int32_t netMessageSlot(const NetMessage& msg);

// Records of the new kinds: see the layout in net_message.cpp.
NetMessage makePlayerInfoMessage(int32_t slot, int32_t kills, int32_t deaths, const char* name);
// The line cut into parts; returns how many (1 to CHAT_PARTS_MAX).
int makeChatMessages(int32_t slot, uint16_t line, const char* text,
                     NetMessage parts[CHAT_PARTS_MAX]);

// The state record of a player, built from the player table.
NetMessage makeStateMessage(const WorldState& world, int32_t slot);
// A rocket record with the values the rocket had when it was reported.
NetMessage makeRocketMessage(int32_t slot, int32_t rocket, int32_t life, const float pos[3],
                             const float vel[3]);
NetMessage makeControlMessage(int32_t type, int32_t slot); // welcome or refusal
NetMessage makeHeartbeatMessage(uint32_t step);
