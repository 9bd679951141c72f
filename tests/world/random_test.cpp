// The generator follows its fixed rule on every platform.
#include <gtest/gtest.h>

#include "world/random.h"

TEST(Random, FirstOutputsForSeedOne) {
    // States 2745024, 3357800067, 415139642, ...: the top bit of the 16 kept is dropped.
    gameSrand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(gameRand(), value);
}

TEST(Random, ASixteenBitClockSeedAndReseeding) {
    gameSrand(0xFFFFu);
    const int expected[] = {17440, 23604, 14611, 31702, 3417};
    for (int value : expected)
        EXPECT_EQ(gameRand(), value);
    gameSrand(0); // reseeding starts the sequence over
    EXPECT_EQ(gameRand(), 38);
    gameSrand(0);
    EXPECT_EQ(gameRand(), 38);
}

TEST(Random, StaysWithinFifteenBits) {
    gameSrand(12345);
    int highest = 0;
    for (int n = 0; n < 100000; ++n) {
        const int value = gameRand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 0x7FFF);
        if (value > highest) highest = value;
    }
    EXPECT_GT(highest, 0x7F00);
}
