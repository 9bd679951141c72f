// PNG: signature, IHDR, one IDAT holding a zlib stream of stored blocks, IEND.
#include "tools/icon/png_file.h"

#include <array>
#include <fstream>

namespace {
constexpr uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t STORED_BLOCK_MAX  = 65535; // the most one stored deflate block holds
constexpr uint32_t ADLER_MOD       = 65521;

std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

uint32_t crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    uint32_t c                                   = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % ADLER_MOD;
        b = (b + a) % ADLER_MOD;
    }
    return b << 16 | a;
}

void putBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body) {
    putBigEndian32(out, static_cast<uint32_t>(body.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBigEndian32(out, crc32(out.data() + typeAt, 4 + body.size()));
}

// zlib header, stored blocks (no compression), Adler-32 of the raw bytes.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at                = 0;
    do {
        const size_t size = std::min(STORED_BLOCK_MAX, raw.size() - at);
        const bool last   = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(size));
        out.push_back(static_cast<uint8_t>(size >> 8));
        out.push_back(static_cast<uint8_t>(~size));
        out.push_back(static_cast<uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + static_cast<long>(at),
                   raw.begin() + static_cast<long>(at + size));
        at += size;
    } while (at < raw.size());
    putBigEndian32(out, adler32(raw));
    return out;
}
} // namespace

std::vector<uint8_t> encodePng(const uint32_t* argb, int width, int height) {
    std::vector<uint8_t> out(PNG_SIGNATURE, PNG_SIGNATURE + 8);
    std::vector<uint8_t> header;
    putBigEndian32(header, static_cast<uint32_t>(width));
    putBigEndian32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    putChunk(out, "IHDR", header);

    std::vector<uint8_t> rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(0); // the row's filter: none
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[y * width + x];
            rows.insert(rows.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                     static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
        }
    }
    putChunk(out, "IDAT", zlibStored(rows));
    putChunk(out, "IEND", {});
    return out;
}

bool writePng(const std::string& path, const uint32_t* argb, int width, int height) {
    const std::vector<uint8_t> bytes = encodePng(argb, width, height);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return static_cast<bool>(file);
}
