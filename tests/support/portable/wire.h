// The 40-byte record as the tests write and read it, with a codec of their own (independent
// of net/, so a layout fault in the game cannot hide in the test): ten 32-bit words, each
// least significant byte first; ints two's complement, floats their IEEE 754 bit pattern.
//   word 0 type, 1 slot, 2 killer | rocket index, 3 health | life, 4-6 position,
//   7-8 yaw, pitch (state) | 7-9 velocity (rocket)
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int WIRE_WORDS           = 10;
constexpr int WIRE_BYTES           = 40;
constexpr int32_t WIRE_WELCOME     = 1010;
constexpr int32_t WIRE_STATE       = 1013;
constexpr int32_t WIRE_ROCKET      = 1014;
constexpr int32_t WIRE_SERVER_FULL = 1016;
constexpr int32_t WIRE_PLAYER_INFO = 3001; // word 2 kills, 3 deaths, bytes 16-39 the name
constexpr int32_t WIRE_CHAT        = 3002; // word 2 line | part << 16 | parts << 24, bytes 12-39
constexpr int32_t WIRE_ARENA       = 3003; // host only: 3003 to 3005 carry its arena
constexpr int32_t WIRE_MATCH       = 3006; // host only: word 2 phase, 6 number, 7 winner
constexpr int32_t WIRE_NO_KILLER   = -1;

using Record = std::array<uint8_t, WIRE_BYTES>; // the bytes as they travel

struct WireState {
    int32_t slot   = 0;
    int32_t killer = WIRE_NO_KILLER;
    int32_t health = 100;
    float pos[3]   = {0.0f, 0.0f, 0.0f};
    float yaw      = 0.0f;
    float pitch    = 0.0f;
};

struct WireRocket {
    int32_t slot  = 0;
    int32_t index = 0;
    int32_t life  = 300;
    float pos[3]  = {0.0f, 0.0f, 0.0f};
    float vel[3]  = {0.0f, 0.0f, 0.0f};
};

// Any record word by word (words not given are 0): later record types, forged records.
Record wordsRecord(const std::array<uint32_t, WIRE_WORDS>& words);
uint32_t floatWord(float value); // the bit pattern, for wordsRecord

Record welcomeRecord(int32_t slot);
Record serverFullRecord();                  // slot 0
Record stateRecord(const WireState& state); // word 9 is 0
Record rocketRecord(const WireRocket& rocket);
Record playerInfoRecord(int32_t slot, int32_t kills, int32_t deaths, const std::string& name);
Record chatRecord(int32_t slot, uint32_t line, uint32_t part, uint32_t parts,
                  const std::string& text);

uint32_t recordWord(const Record& record, int word);
int32_t recordInt(const Record& record, int word);
float recordFloat(const Record& record, int word);
int32_t recordType(const Record& record);
int32_t recordSlot(const Record& record);
WireState readState(const Record& record);
WireRocket readRocket(const Record& record);
