// BMP header checks and row reading; plain code the textures and the fuzzer share.
#include "assets/bmp_reader.h"

#include <cstring>

#include "assets/textures.h"

namespace {
constexpr int BMP_WIDTH_AT  = 18;
constexpr int BMP_HEIGHT_AT = 22;
constexpr int BMP_PLANES_AT = 26;
constexpr int BMP_BITS_AT   = 28;

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t readLe16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

// Bytes from the stream's position to its end; -1 when the stream cannot tell.
long bytesLeft(FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
    return end - here;
}
} // namespace

BmpStatus parseBmpHeader(const uint8_t bytes[BMP_HEADER_SIZE], BmpHeader* header) {
    header->width        = static_cast<int32_t>(readLe32(bytes + BMP_WIDTH_AT));
    header->height       = static_cast<int32_t>(readLe32(bytes + BMP_HEIGHT_AT));
    header->planes       = readLe16(bytes + BMP_PLANES_AT);
    header->bitsPerPixel = readLe16(bytes + BMP_BITS_AT);
    if (header->planes != 1 || header->bitsPerPixel != 24) return BMP_NOT_24_BIT;
    if (header->width < 1 || header->width > BMP_MAX_SIDE) return BMP_BAD_SIZE;
    if (header->height < 1 || header->height > BMP_MAX_SIDE) return BMP_BAD_SIZE;
    if (int64_t{header->width} * header->height > BMP_MAX_PIXELS) return BMP_BAD_SIZE;
    return BMP_OK;
}

uint32_t bmpRowStride(int32_t width) {
    return (uint32_t(width) * 3u + 3u) & ~3u;
}

BmpStatus readBmpStream(FILE* file, BmpHeader* header, std::vector<uint8_t>* pixels) {
    uint8_t bytes[BMP_HEADER_SIZE];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return BMP_SHORT_HEADER;
    BmpStatus status = parseBmpHeader(bytes, header);
    if (status != BMP_OK) return status;

    // Both sides are at most 16384, so every size below fits in 32 bits.
    const size_t rowBytes = size_t(header->width) * 3u;
    const size_t padding  = bmpRowStride(header->width) - rowBytes;
    // The header alone must not make us reserve what the file cannot fill; the last row may
    // go without its padding.
    const size_t needed = bmpRowStride(header->width) * size_t(header->height - 1) + rowBytes;
    const long left     = bytesLeft(file);
    if (left < 0 || size_t(left) < needed) return BMP_SHORT_PIXELS;
    pixels->assign(rowBytes * size_t(header->height), 0);
    uint8_t* row = pixels->data();
    for (int32_t y = 0; y < header->height; ++y, row += rowBytes) {
        if (std::fread(row, 1, rowBytes, file) != rowBytes) break;
        uint8_t skipped[3];
        if (padding > 0 && std::fread(skipped, 1, padding, file) != padding) break;
    }
    return BMP_OK;
}

void swapRedBlue(uint8_t* buffer, unsigned int byteCount) {
    for (unsigned int i = 0; i + 2 < byteCount; i += 3) {
        const uint8_t b = buffer[i];
        buffer[i]       = buffer[i + 2];
        buffer[i + 2]   = b;
    }
}

int powerOfTwoSide(int side, int limit) {
    int result = 1;
    while (result < side && result < limit)
        result *= 2;
    return result;
}
