// CRC-32 with zlib's polynomial (reflected 0xEDB88320, starting and ending inverted), so
// that any zlib-based tool agrees with it; our own table, no zlib.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t CRC32_POLYNOMIAL = 0xEDB88320u;

// The CRC of what came before (0 for nothing) carried over `count` more bytes: feeding the
// bytes in pieces gives the same value as feeding them at once.
uint32_t crc32(uint32_t crc, const uint8_t* bytes, size_t count);
