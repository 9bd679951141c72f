// The byte codec: each value least significant byte first.
#include "demo/demo_bytes.h"

#include <cstring>

namespace {
constexpr uint32_t FIRST_PRINTABLE = 0x20;
constexpr uint32_t LAST_PRINTABLE  = 0x7E;

void putLittle(ByteOut& out, uint64_t v, size_t count) {
    if (out.size - out.used < count) {
        out.full = true;
        return;
    }
    for (size_t n = 0; n < count; ++n)
        out.at[out.used++] = static_cast<uint8_t>(v >> (8 * n));
}

uint64_t getLittle(ByteIn& in, size_t count) {
    if (in.size - in.used < count) {
        in.ranShort = true;
        in.used     = in.size;
        return 0;
    }
    uint64_t v = 0;
    for (size_t n = 0; n < count; ++n)
        v |= static_cast<uint64_t>(in.at[in.used++]) << (8 * n);
    return v;
}
} // namespace

void putU8(ByteOut& out, uint32_t v) {
    putLittle(out, v, 1);
}
void putU16(ByteOut& out, uint32_t v) {
    putLittle(out, v, 2);
}
void putU32(ByteOut& out, uint32_t v) {
    putLittle(out, v, 4);
}
void putI32(ByteOut& out, int32_t v) {
    putLittle(out, static_cast<uint32_t>(v), 4);
}
void putU64(ByteOut& out, uint64_t v) {
    putLittle(out, v, 8);
}
void putF32(ByteOut& out, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putLittle(out, bits, 4);
}

void putBytes(ByteOut& out, const uint8_t* bytes, size_t count) {
    if (out.size - out.used < count) {
        out.full = true;
        return;
    }
    std::memcpy(out.at + out.used, bytes, count);
    out.used += count;
}

void putText(ByteOut& out, const char* text, size_t field) {
    const size_t length = strnlen(text, field);
    for (size_t n = 0; n < field; ++n)
        putU8(out, n < length ? static_cast<uint8_t>(text[n]) : 0);
}

void putRecord(ByteOut& out, const NetMessage& record) {
    uint8_t bytes[NET_RECORD_SIZE];
    encodeNetMessage(record, bytes);
    putBytes(out, bytes, sizeof bytes);
}

uint32_t getU8(ByteIn& in) {
    return static_cast<uint32_t>(getLittle(in, 1));
}
uint32_t getU16(ByteIn& in) {
    return static_cast<uint32_t>(getLittle(in, 2));
}
uint32_t getU32(ByteIn& in) {
    return static_cast<uint32_t>(getLittle(in, 4));
}
int32_t getI32(ByteIn& in) {
    return static_cast<int32_t>(getU32(in));
}
uint64_t getU64(ByteIn& in) {
    return getLittle(in, 8);
}
float getF32(ByteIn& in) {
    const uint32_t bits = getU32(in);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void getText(ByteIn& in, char* text, size_t field) {
    bool ended = false;
    size_t n   = 0;
    for (size_t k = 0; k < field; ++k) {
        const uint32_t c = getU8(in);
        if (c == 0) ended = true;
        if (ended) continue;
        text[n++] = (c < FIRST_PRINTABLE || c > LAST_PRINTABLE) ? '?' : static_cast<char>(c);
    }
    text[n] = '\0';
}

NetMessage getRecord(ByteIn& in) {
    const uint8_t* bytes = skipBytes(in, NET_RECORD_SIZE);
    if (bytes == nullptr) return NetMessage{};
    return decodeNetMessage(bytes);
}

const uint8_t* skipBytes(ByteIn& in, size_t count) {
    if (in.size - in.used < count) {
        in.ranShort = true;
        in.used     = in.size;
        return nullptr;
    }
    const uint8_t* at = in.at + in.used;
    in.used += count;
    return at;
}
