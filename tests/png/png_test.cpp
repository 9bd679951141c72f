// PNG files from the game's writer, read back by another decoder, give the pixels back exactly
// in either channel layout and at row lengths of any parity; a file not made says why.
#include <gtest/gtest.h>

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
} // namespace

TEST_P(PngRoundTrip, ReadsBackAsThePixelsGiven) {
    const PngCase c    = GetParam();
    const int channels = static_cast<int>(c.channels);
    std::vector<uint8_t> pixels(size_t(c.width) * c.height * channels);
    uint32_t x = 12345; // every byte unlike its neighbours: a swapped channel or row shows
    for (uint8_t& b : pixels)
        b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 16);
    std::vector<uint8_t> bytes;
    char problem[PNG_PROBLEM_SIZE] = "";
    ASSERT_TRUE(encodePng({pixels.data(), c.width, c.height, c.channels}, &bytes, problem))
        << problem;
    const DecodedPng back = decodePng(bytes, channels);
    EXPECT_EQ(back.width, c.width);
    EXPECT_EQ(back.height, c.height);
    EXPECT_TRUE(back.pixels == pixels);
}

INSTANTIATE_TEST_SUITE_P(Png, PngRoundTrip, ::testing::ValuesIn(CASES), [](const auto& info) {
    const PngCase& c = info.param;
    return std::to_string(c.width) + "x" + std::to_string(c.height) + "x" +
           std::to_string(static_cast<int>(c.channels));
});

TEST(PngFile, AFileThatCannotBeMadeOrAnEmptyPictureSaysWhy) {
    const uint8_t pixel[3]         = {1, 2, 3};
    char problem[PNG_PROBLEM_SIZE] = "";
    EXPECT_FALSE(writePng("no-such-folder/a.png", {pixel, 1, 1, PngChannels::RGB}, problem));
    EXPECT_EQ(std::string(problem).rfind("could not make no-such-folder/a.png: ", 0), 0u);
    EXPECT_FALSE(writePng("empty.png", {pixel, 0, 1, PngChannels::RGB}, problem));
    EXPECT_STREQ(problem, "a 0 x 1 picture cannot be a PNG file");
}
