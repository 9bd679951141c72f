// The icon: 32 x 32, opaque, a real picture in at most 16 colours.
#include <gtest/gtest.h>

#include <set>

#include "app/icon.h"

TEST(GameIcon, IsAnOpaquePictureInAtMostSixteenColours) {
    uint32_t pixels[ICON_SIDE * ICON_SIDE] = {};
    drawGameIcon(pixels);
    std::set<uint32_t> colours(pixels, pixels + ICON_SIDE * ICON_SIDE);
    EXPECT_LE(colours.size(), 16u);
    EXPECT_GE(colours.size(), 8u); // sky, stars, planet shades, ring, ship
    for (uint32_t p : pixels)
        EXPECT_EQ(p >> 24, 0xFFu);
}
