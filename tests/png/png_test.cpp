// PNG files written by the game's writer and read back by another decoder give the pixels back
// exactly, in either channel layout and at row lengths of any parity; a file that cannot be made
// says where.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "png/png_picture.h"
#include "tests/png/png_decode.h"

namespace {
struct PngCase {
    int width, height;
    PngChannels channels;
};
const PngCase CASES[] = {
    {1,   1,   PngChannels::RGB },
    {3,   5,   PngChannels::RGB },
    {641, 7,   PngChannels::RGB },
    {1,   1,   PngChannels::RGBA},
    {5,   3,   PngChannels::RGBA},
    {256, 256, PngChannels::RGBA},
};

class PngRoundTrip : public ::testing::TestWithParam<PngCase> {};

// Every byte differs from its neighbours, so a swapped channel or shifted row shows.
std::vector<uint8_t> scrambled(size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = 12345;
    for (uint8_t& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    return bytes;
}
} // namespace

TEST_P(PngRoundTrip, ReadsBackAsThePixelsGiven) {
    const PngCase c                   = GetParam();
    const int channels                = static_cast<int>(c.channels);
    const std::vector<uint8_t> pixels = scrambled(size_t(c.width) * c.height * channels);
    std::vector<uint8_t> bytes;
    char problem[PNG_PROBLEM_SIZE] = "";
    ASSERT_TRUE(encodePng({pixels.data(), c.width, c.height, c.channels}, &bytes, problem))
        << problem;
    const DecodedPng back = decodePng(bytes);
    ASSERT_EQ(back.width, c.width);
    ASSERT_EQ(back.height, c.height);
    std::vector<uint8_t> expected;
    for (size_t at = 0; at < pixels.size(); at += channels) {
        expected.insert(expected.end(), pixels.begin() + at, pixels.begin() + at + 3);
        expected.push_back(channels == 4 ? pixels[at + 3] : 255);
    }
    EXPECT_TRUE(back.rgba == expected);
}

INSTANTIATE_TEST_SUITE_P(Png, PngRoundTrip, ::testing::ValuesIn(CASES), [](const auto& info) {
    const PngCase& c = info.param;
    return std::to_string(c.width) + "x" + std::to_string(c.height) +
           (c.channels == PngChannels::RGBA ? "RGBA" : "RGB");
});

TEST(PngFile, AFileThatCannotBeMadeOrAnEmptyPictureSaysWhat) {
    const uint8_t pixel[3]         = {1, 2, 3};
    char problem[PNG_PROBLEM_SIZE] = "";
    const std::string path         = "no-such-folder/shot.png";
    EXPECT_FALSE(writePng(path.c_str(), {pixel, 1, 1, PngChannels::RGB}, problem));
    EXPECT_NE(std::string(problem).find("could not make " + path), std::string::npos) << problem;
    EXPECT_FALSE(writePng("empty.png", {pixel, 0, 1, PngChannels::RGB}, problem));
    EXPECT_STREQ(problem, "a 0 x 1 picture cannot be a PNG file");
    EXPECT_EQ(std::fopen("empty.png", "rb"), nullptr);
}
