// The dialog's commands: choices, hosting as slot 0, joining with the port appended.
#include <gtest/gtest.h>

#include <string>

#include "app/setup_commands.h"
#include "tests/app/app_doubles.h"
#include "app/game_setup.h"
#include "world/world_state.h"

namespace {
class SetupCommands : public ::testing::Test {
  protected:
    void SetUp() override { resetAppTest(); }
};
} // namespace

TEST_F(SetupCommands, StartValuesAreSmallestResolutionFullScreenNoSound) {
    EXPECT_EQ(gameSetup.resolutionIndex, 0);
    EXPECT_EQ(gameSetup.fullScreen, 1);
    EXPECT_EQ(gameSetup.soundEnabled, 0);
    storeSetupChoices(false, true, 2);
    EXPECT_EQ(gameSetup.fullScreen, 0);
    EXPECT_EQ(gameSetup.soundEnabled, 1);
    EXPECT_EQ(gameSetup.resolutionIndex, 2);
}

TEST_F(SetupCommands, HostingOpensTheNetworkAndPlacesSlotZeroAlive) {
    char text[NET_ADDRESS_TEXT_SIZE] = {};
    hostGame(text);
    ASSERT_EQ(appCalls.hostStarts.size(), 1u);
    EXPECT_EQ(appCalls.hostStarts[0], text);
    EXPECT_EQ(gameSetup.isServer, 1);
    EXPECT_EQ(localPlayer, 0);
    EXPECT_EQ(playerTable[0].slot, 0);
    EXPECT_EQ(playerTable[0].health, FULL_HEALTH);
}

TEST_F(SetupCommands, JoiningAppendsThePortAndWaitsForASlot) {
    localPlayer = 3;
    joinGame("127.0.0.1");
    ASSERT_EQ(appCalls.joinStarts.size(), 1u);
    EXPECT_EQ(appCalls.joinStarts[0], "127.0.0.1:2345");
    EXPECT_EQ(gameSetup.isServer, 0);
    EXPECT_EQ(localPlayer, FREE_SLOT);
}

TEST_F(SetupCommands, TheUntouchedPrefixIsPassedAsItIs) {
    joinGame(ADDRESS_PREFIX);
    EXPECT_EQ(appCalls.joinStarts.at(0), std::string(ADDRESS_PREFIX) + ":2345");
}

TEST_F(SetupCommands, AnOverlongAddressIsCutTo149Characters) {
    std::string typed(300, '7');
    char out[NET_ADDRESS_TEXT_SIZE];
    joinAddress(typed.c_str(), out);
    EXPECT_EQ(std::string(out), std::string(149, '7') + ":2345");
    joinAddress(std::string(149, '8').c_str(), out);
    EXPECT_EQ(std::string(out), std::string(149, '8') + ":2345");
    joinAddress("", out);
    EXPECT_EQ(std::string(out), ":2345");
}
