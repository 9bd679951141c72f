// The tests' own record codec.
#include "tests/support/portable/wire.h"

#include <cstring>

uint32_t floatWord(float value) {
    uint32_t w;
    std::memcpy(&w, &value, sizeof w);
    return w;
}

Record wordsRecord(const std::array<uint32_t, WIRE_WORDS>& words) {
    Record r{};
    for (int i = 0; i < WIRE_BYTES; ++i)
        r[i] = static_cast<uint8_t>(words[i / 4] >> (8 * (i % 4)));
    return r;
}

Record welcomeRecord(int32_t slot) {
    return wordsRecord({uint32_t(WIRE_WELCOME), uint32_t(slot)});
}
Record serverFullRecord() {
    return wordsRecord({uint32_t(WIRE_SERVER_FULL), 0});
}

Record stateRecord(const WireState& s) {
    const float* p = s.pos;
    return wordsRecord({uint32_t(WIRE_STATE), uint32_t(s.slot), uint32_t(s.killer),
                        uint32_t(s.health), floatWord(p[0]), floatWord(p[1]), floatWord(p[2]),
                        floatWord(s.yaw), floatWord(s.pitch), 0});
}

Record rocketRecord(const WireRocket& k) {
    const float *p = k.pos, *v = k.vel;
    return wordsRecord({uint32_t(WIRE_ROCKET), uint32_t(k.slot), uint32_t(k.index),
                        uint32_t(k.life), floatWord(p[0]), floatWord(p[1]), floatWord(p[2]),
                        floatWord(v[0]), floatWord(v[1]), floatWord(v[2])});
}

namespace {
// Text bytes from `firstByte` on, up to the record's end.
Record withText(std::array<uint32_t, WIRE_WORDS> words, int firstByte, const std::string& text) {
    for (int k = 0; k < int(text.size()) && firstByte + k < WIRE_BYTES; ++k)
        words[(firstByte + k) / 4] |= uint32_t(uint8_t(text[k])) << (8 * ((firstByte + k) % 4));
    return wordsRecord(words);
}
} // namespace

Record playerInfoRecord(int32_t slot, int32_t kills, int32_t deaths, const std::string& name) {
    return withText({uint32_t(WIRE_PLAYER_INFO), uint32_t(slot), uint32_t(kills), uint32_t(deaths)},
                    16, name);
}

Record chatRecord(int32_t slot, uint32_t line, uint32_t part, uint32_t parts,
                  const std::string& text) {
    return withText({uint32_t(WIRE_CHAT), uint32_t(slot), line | part << 16 | parts << 24}, 12,
                    text);
}

uint32_t recordWord(const Record& r, int word) {
    const uint8_t* b = &r[4 * word];
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
}

int32_t recordInt(const Record& r, int word) {
    return static_cast<int32_t>(recordWord(r, word));
}

float recordFloat(const Record& r, int word) {
    const uint32_t w = recordWord(r, word);
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}

int32_t recordType(const Record& r) {
    return recordInt(r, 0);
}
int32_t recordSlot(const Record& r) {
    return recordInt(r, 1);
}

WireState readState(const Record& r) {
    return {
        recordSlot(r),     recordInt(r, 2),
        recordInt(r, 3),   {recordFloat(r, 4), recordFloat(r, 5), recordFloat(r, 6)},
        recordFloat(r, 7), recordFloat(r, 8)
    };
}

WireRocket readRocket(const Record& r) {
    return {
        recordSlot(r),
        recordInt(r, 2),
        recordInt(r, 3),
        {recordFloat(r, 4), recordFloat(r, 5), recordFloat(r, 6)},
        {recordFloat(r, 7), recordFloat(r, 8), recordFloat(r, 9)}
    };
}
