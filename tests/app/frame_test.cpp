// The game's own delivery of a step's report: the lines it shows, in the report's order; and a
// screenshot's name.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/look_cursor.h"
#include "app/screenshot.h"
#include "tests/support/portable/world_setup.h"

TEST(Frame, TheReportsDeathsShowAsKillLinesInItsOrder) {
    freshWorld(gameWorld);
    placeLocal(gameWorld, 2, {0, 0, 0});
    gameSetup              = startSetup();
    gameSetup.soundEnabled = 0;
    StepReport report{};
    report.event[report.count++] = StepEvent{StepEventKind::LOCAL_DEATH, 3, 0, 0, {}, {}};
    report.event[report.count++] = StepEvent{StepEventKind::SHOT_SOUND, 2, 0, 0, {}, {}};
    report.event[report.count++] = StepEvent{StepEventKind::LOCAL_DEATH, 5, 0, 0, {}, {}};
    deliverStepReport(report);
    ASSERT_EQ(gameWorld.messages.killCount, 2);
    EXPECT_EQ(gameWorld.messages.kill[0].killer, 3);
    EXPECT_EQ(gameWorld.messages.kill[1].killer, 5);
    EXPECT_EQ(gameWorld.messages.kill[1].victim, 2);
}

// A frame's step takes the look turn gathered before it: the look cursor is back on centre.
TEST(Frame, AStepTakesTheLookTurnAndMeasuresTheNextFromTheCentre) {
    freshWorld(gameWorld);
    gameSetup = startSetup();
    resetFrameClock();
    moveLookCursor(30, -20);
    runFrame();
    EXPECT_EQ(lookOffsetX(), 0);
    EXPECT_EQ(lookOffsetY(), 0);
}

TEST(Frame, AScreenshotIsNamedByItsSecondAndCountsCopiesWithinIt) {
    std::tm when{};
    when.tm_year = 2026 - 1900, when.tm_mon = 11, when.tm_mday = 8;
    when.tm_hour = 7, when.tm_min = 15, when.tm_sec = 3;
    char name[SCREENSHOT_NAME_SIZE];
    screenshotName(when, 1, name);
    EXPECT_STREQ(name, "voranis-2026-12-08_07-15-03.png");
    screenshotName(when, 2, name);
    EXPECT_STREQ(name, "voranis-2026-12-08_07-15-03-2.png");
}
