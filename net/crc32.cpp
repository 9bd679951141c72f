// CRC-32, one table lookup a byte; the table is built by the compiler.
#include "net/crc32.h"

#include <array>

namespace {
constexpr int BYTE_VALUES = 256;
constexpr int BYTE_BITS   = 8;

constexpr std::array<uint32_t, BYTE_VALUES> crcTable() {
    std::array<uint32_t, BYTE_VALUES> table{};
    for (uint32_t n = 0; n < BYTE_VALUES; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < BYTE_BITS; ++bit)
            c = (c & 1u) ? CRC32_POLYNOMIAL ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, BYTE_VALUES> CRC_TABLE = crcTable();
} // namespace

uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t count) {
    uint32_t c = ~crc;
    for (size_t k = 0; k < count; ++k)
        c = CRC_TABLE[(c ^ bytes[k]) & 0xFFu] ^ (c >> BYTE_BITS);
    return ~c;
}
