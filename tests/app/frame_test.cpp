// The game's own delivery of a step's report: the lines it shows, in the report's order.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/look_cursor.h"
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
