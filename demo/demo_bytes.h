// Little-endian bytes in and out of a buffer of known size: a writer that counts what did not
// fit, a reader that gives zeros past its end and remembers it ran short. Nothing is read or
// written outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/net_message.h"

struct ByteOut {
    uint8_t* at;
    size_t size;
    size_t used;
    bool full; // something did not fit and was left out
};

struct ByteIn {
    const uint8_t* at;
    size_t size;
    size_t used;
    bool ranShort; // a read went past the end
};

void putU8(ByteOut& out, uint32_t v);
void putU16(ByteOut& out, uint32_t v);
void putU32(ByteOut& out, uint32_t v);
void putI32(ByteOut& out, int32_t v);
void putU64(ByteOut& out, uint64_t v);
void putF32(ByteOut& out, float v);
void putBytes(ByteOut& out, const uint8_t* bytes, size_t count);
// text in a field of exactly `field` bytes: at most field characters, zero-padded
void putText(ByteOut& out, const char* text, size_t field);
void putRecord(ByteOut& out, const NetMessage& record);

uint32_t getU8(ByteIn& in);
uint32_t getU16(ByteIn& in);
uint32_t getU32(ByteIn& in);
int32_t getI32(ByteIn& in);
uint64_t getU64(ByteIn& in);
float getF32(ByteIn& in);
// a field of `field` bytes into text (field + 1 bytes): ends at its first zero, each
// character outside the space to the tilde as '?'
void getText(ByteIn& in, char* text, size_t field);
NetMessage getRecord(ByteIn& in);
// The bytes at the reader's position, count of them, or null (and ranShort) when fewer are left.
const uint8_t* skipBytes(ByteIn& in, size_t count);
