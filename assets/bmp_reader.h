// Uncompressed 24-bit BMP reading without OpenGL: header checks and pixel rows.
//
// Layout read (little-endian): 14-byte file header (not examined), 40-byte information
// header with width at 18, height at 22, planes at 26, bits per pixel at 28, then the
// pixel rows straight after byte 54, bottom row first, blue-green-red, each row padded to
// a multiple of four bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

constexpr int BMP_HEADER_SIZE = 54;
// Larger pictures are refused before any allocation: a side above BMP_MAX_SIDE, or more pixels
// than BMP_MAX_PIXELS (twice the largest texture's texels, a 4096 x 2048 planet map), so that a
// picture and its scaling down take at most about 120 MB while it loads.
constexpr int32_t BMP_MAX_SIDE   = 16384;
constexpr int64_t BMP_MAX_PIXELS = 4096 * 2048;

enum BmpStatus {
    BMP_OK = 0,
    BMP_SHORT_HEADER, // the file ends inside the 54 header bytes
    BMP_NOT_24_BIT,   // planes other than 1 or bits per pixel other than 24
    BMP_BAD_SIZE,     // width or height not in 1 .. BMP_MAX_SIDE, or their product too large
    BMP_SHORT_PIXELS, // the file holds fewer pixel bytes than its header announces
};

struct BmpHeader {
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitsPerPixel;
};

BmpStatus parseBmpHeader(const uint8_t bytes[BMP_HEADER_SIZE], BmpHeader* header);

// Bytes of one stored row, padding included.
uint32_t bmpRowStride(int32_t width);

// Reads the header and pixels from the file's current position into blue-green-red rows
// of width x 3 bytes, bottom row first, padding dropped. A file too short for the rows its
// header announces is refused before anything is allocated.
BmpStatus readBmpStream(FILE* file, BmpHeader* header, std::vector<uint8_t>* pixels);
