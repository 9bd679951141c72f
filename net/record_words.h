// Where each field sits in the record, and the word conversions the record's builders and
// readers share. The byte layout itself is drawn in net_message.cpp.
#pragma once

#include <cstdint>
#include <cstring>

#include "net/net_message.h"

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
constexpr int W_STEP   = 2; // heartbeat

inline uint32_t intBits(int32_t v) {
    return static_cast<uint32_t>(v);
}
inline int32_t bitsInt(uint32_t w) {
    return static_cast<int32_t>(w);
}
inline uint32_t floatBits(float f) {
    uint32_t w;
    std::memcpy(&w, &f, sizeof w);
    return w;
}
inline float bitsFloat(uint32_t w) {
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}

// Bytes into consecutive words, least significant first, and back.
inline void putBytes(NetMessage& msg, int firstWord, const char* bytes, int count) {
    for (int k = 0; k < count; ++k)
        msg.word[firstWord + k / 4] |= uint32_t(static_cast<uint8_t>(bytes[k])) << (8 * (k % 4));
}
inline void getBytes(const NetMessage& msg, int firstWord, char* bytes, int count) {
    for (int k = 0; k < count; ++k)
        bytes[k] = static_cast<char>(msg.word[firstWord + k / 4] >> (8 * (k % 4)));
}
