// The BMP reader without OpenGL: header checks, row order, padding, short files.
#include <gtest/gtest.h>

#include <cstdio>

#include "assets/bmp_reader.h"
#include "assets/textures.h"
#include "tests/assets/test_files.h"

namespace {
struct ReadResult {
    BmpStatus status;
    BmpHeader header;
    std::vector<uint8_t> pixels;
};

ReadResult readBytes(const std::vector<uint8_t>& bytes) {
    FILE* f = std::tmpfile();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    ReadResult r{};
    r.status = readBmpStream(f, &r.header, &r.pixels);
    std::fclose(f);
    return r;
}

Rgb gradient(int x, int y) {
    return {uint8_t(x * 10), uint8_t(y * 20), uint8_t(200 - x - y)};
}

void putLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}
} // namespace

TEST(BmpReader, KeepsBottomRowFirstAndBlueGreenRedOrder) {
    const ReadResult r = readBytes(makeBmp(4, 2, gradient));
    ASSERT_EQ(r.status, BMP_OK);
    EXPECT_EQ(r.header.width, 4);
    EXPECT_EQ(r.header.height, 2);
    ASSERT_EQ(r.pixels.size(), 4u * 2 * 3);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t* p = &r.pixels[size_t(y * 4 + x) * 3];
            const Rgb c      = gradient(x, y);
            EXPECT_EQ(p[0], c[2]);
            EXPECT_EQ(p[1], c[1]);
            EXPECT_EQ(p[2], c[0]);
        }
    }
}

TEST(BmpReader, SkipsRowPaddingForAnyWidth) {
    for (int width : {1, 2, 3, 5, 7}) {
        const ReadResult r = readBytes(makeBmp(width, 3, gradient));
        ASSERT_EQ(r.status, BMP_OK) << width;
        ASSERT_EQ(r.pixels.size(), size_t(width) * 3 * 3);
        const uint8_t* last = &r.pixels[(size_t(2) * width + width - 1) * 3];
        EXPECT_EQ(last[2], gradient(width - 1, 2)[0]) << width;
        EXPECT_EQ(last[1], gradient(width - 1, 2)[1]) << width;
    }
}

// A header may not make the reader reserve more than the file holds: a 54-byte file that
// claims 16384 x 16384 is refused, and so is any file short of its rows. The last row may
// lack its padding.
TEST(BmpReader, RefusesPixelDataShorterThanItsHeaderClaims) {
    std::vector<uint8_t> bytes = makeBmp(5, 4, [](int, int) { return Rgb{9, 9, 9}; });
    bytes.resize(bytes.size() - 1); // only the last row's padding is missing
    EXPECT_EQ(readBytes(bytes).status, BMP_OK);
    bytes.resize(bytes.size() - 1); // now a pixel byte is missing too
    EXPECT_EQ(readBytes(bytes).status, BMP_SHORT_PIXELS);
    std::vector<uint8_t> huge = makeBmp(1, 1, gradient);
    huge.resize(BMP_HEADER_SIZE);
    putLe32(huge, 18, 16384);
    putLe32(huge, 22, 16384);
    const ReadResult r = readBytes(huge);
    EXPECT_EQ(r.status, BMP_SHORT_PIXELS);
    EXPECT_EQ(r.pixels.capacity(), 0u);
}

TEST(BmpReader, RefusesWhatItCannotRead) {
    EXPECT_EQ(readBytes(makeBmp(4, 4, gradient, 8)).status, BMP_NOT_24_BIT);
    EXPECT_EQ(readBytes(makeBmp(4, 4, gradient, 32)).status, BMP_NOT_24_BIT);
    std::vector<uint8_t> planes = makeBmp(4, 4, gradient);
    planes[26]                  = 2;
    EXPECT_EQ(readBytes(planes).status, BMP_NOT_24_BIT);
    EXPECT_EQ(readBytes(std::vector<uint8_t>(53, 0)).status, BMP_SHORT_HEADER);
    EXPECT_EQ(readBytes({}).status, BMP_SHORT_HEADER);
}

TEST(BmpReader, RefusesHostileSizesBeforeAllocating) {
    const std::vector<uint8_t> good = makeBmp(1, 1, gradient);
    struct Size {
        uint32_t width, height;
    };
    for (Size s : {
             Size{0,           4          },
             Size{4,           0          },
             Size{0xFFFFFFFFu, 4          },
             Size{4,           0x80000000u},
             Size{16385,       1          },
             Size{1,           16385      },
             Size{0x7FFFFFFFu, 0x7FFFFFFFu}
    }) {
        std::vector<uint8_t> bytes = good;
        putLe32(bytes, 18, s.width);
        putLe32(bytes, 22, s.height);
        const ReadResult r = readBytes(bytes);
        EXPECT_EQ(r.status, BMP_BAD_SIZE) << s.width << " x " << s.height;
        EXPECT_TRUE(r.pixels.empty());
    }
    std::vector<uint8_t> largest = good;
    putLe32(largest, 18, 16384);
    putLe32(largest, 22, 1);
    largest.resize(BMP_HEADER_SIZE + 16384 * 3);
    EXPECT_EQ(readBytes(largest).status, BMP_OK);
}

TEST(BmpReader, SwapRedBlueExchangesBytesZeroAndTwoOfEveryTriple) {
    uint8_t b[] = {1, 2, 3, 4, 5, 6, 7, 8};
    swapRedBlue(b, 8); // a trailing partial triple is left alone
    const uint8_t expected[] = {3, 2, 1, 6, 5, 4, 7, 8};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(b[i], expected[i]) << i;
}

TEST(BmpReader, PowerOfTwoSides) {
    EXPECT_EQ(powerOfTwoSide(64, 256), 64);
    EXPECT_EQ(powerOfTwoSide(100, 256), 128);
    EXPECT_EQ(powerOfTwoSide(129, 256), 256);
    EXPECT_EQ(powerOfTwoSide(300, 256), 256);
    EXPECT_EQ(powerOfTwoSide(1, 256), 1);
    EXPECT_EQ(powerOfTwoSide(200, 64), 64);
}
