// Watching a demo without a window: the fixed keys against the playback, one table row a
// case; the replay steps each speed owes; the free camera; the world seen from another
// player; the dialog's list of demos.
#include <gtest/gtest.h>

#include <cstring>

#include "app/dialog/demo_list.h"
#include "app/playback/demo_controls.h"
#include "app/playback/demo_view.h"
#include "render/people_overlay.h"
#include "tests/support/portable/world_setup.h"
#include "world/roster.h"

namespace {
constexpr uint32_t SLOTS_0_1_3 = 0b1011;
constexpr int SLOW = 0, NORMAL = DEMO_NORMAL_SPEED, FAST = DEMO_SPEED_COUNT - 1;

InputEvent down(InputCode code, bool repeat = false) {
    InputEvent e;
    e.kind   = InputKind::INPUT_DOWN;
    e.code   = code;
    e.repeat = repeat;
    return e;
}

struct KeyRow {
    const char* what;
    PlaybackState before;
    InputEvent event;
    PlaybackState after;
};

// speed, paused, free camera, followed, scoreboard, owed quarters
// clang-format off
const KeyRow KEY_ROWS[] = {
    {"3 leaves slot 2, which is free",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::DIGIT_3), {NORMAL, false, false, 0, false, 0}},
    {"4 follows slot 3",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::DIGIT_4), {NORMAL, false, false, 3, false, 0}},
    {"a digit leaves the free camera",
     {NORMAL, false, true, 0, false, 0}, down(InputCode::KEYPAD_2), {NORMAL, false, false, 1, false, 0}},
    {"F turns the free camera on",
     {NORMAL, false, false, 1, false, 0}, down(InputCode::F), {NORMAL, false, true, 1, false, 0}},
    {"F again turns it off",
     {NORMAL, false, true, 1, false, 0}, down(InputCode::F), {NORMAL, false, false, 1, false, 0}},
    {"a held F does not flicker",
     {NORMAL, false, true, 1, false, 0}, down(InputCode::F, true), {NORMAL, false, true, 1, false, 0}},
    {"Space pauses",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::SPACE), {NORMAL, true, false, 0, false, 0}},
    {"Space plays on",
     {NORMAL, true, false, 0, false, 0}, down(InputCode::SPACE), {NORMAL, false, false, 0, false, 0}},
    {"- slows",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::MINUS), {NORMAL - 1, false, false, 0, false, 0}},
    {"- stops at 1/4",
     {SLOW, false, false, 0, false, 0}, down(InputCode::KEYPAD_MINUS), {SLOW, false, false, 0, false, 0}},
    {"+ speeds up",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::EQUALS), {NORMAL + 1, false, false, 0, false, 0}},
    {"+ stops at 4",
     {FAST, false, false, 0, false, 0}, down(InputCode::KEYPAD_PLUS), {FAST, false, false, 0, false, 0}},
    {"Tab shows the scoreboard",
     {NORMAL, false, false, 0, false, 0}, down(InputCode::TAB), {NORMAL, false, false, 0, true, 0}},
};
// clang-format on

TEST(DemoKeys, EachKeyChangesThePlaybackAsItsRowSays) {
    for (const KeyRow& row : KEY_ROWS) {
        PlaybackState s = row.before;
        applyDemoAction(s, demoActionOf(row.event, s), SLOTS_0_1_3);
        EXPECT_EQ(s.speed, row.after.speed) << row.what;
        EXPECT_EQ(s.paused, row.after.paused) << row.what;
        EXPECT_EQ(s.freeCamera, row.after.freeCamera) << row.what;
        EXPECT_EQ(s.followed, row.after.followed) << row.what;
        EXPECT_EQ(s.scoreboard, row.after.scoreboard) << row.what;
    }
}

struct ActionRow {
    const char* what;
    bool freeCamera, scoreboard;
    InputEvent event;
    DemoCommand command;
    int32_t seekMs;
};

TEST(DemoKeys, SeeksPicksAndQuittingAreAskedOfTheLoop) {
    InputEvent escape, tabUp, click = down(InputCode::MOUSE_LEFT);
    escape.kind      = InputKind::CHAR;
    escape.character = ESCAPE_CHAR;
    tabUp.kind       = InputKind::INPUT_UP;
    tabUp.code       = InputCode::TAB;
    // clang-format off
    const ActionRow rows[] = {
        {"Left goes back", false, false, down(InputCode::LEFT), DemoCommand::SEEK, -DEMO_SEEK_MS},
        {"a held Right goes on", false, false, down(InputCode::RIGHT, true), DemoCommand::SEEK, DEMO_SEEK_MS},
        {"the free camera flies with Left", true, false, down(InputCode::LEFT), DemoCommand::NONE, 0},
        {"Page Down goes back in it", true, false, down(InputCode::PAGE_DOWN), DemoCommand::SEEK, -DEMO_SEEK_MS},
        {"a click on the scoreboard picks", false, true, click, DemoCommand::PICK, 0},
        {"a click elsewhere does not", false, false, click, DemoCommand::NONE, 0},
        {"letting Tab go hides it", false, true, tabUp, DemoCommand::SCOREBOARD_OFF, 0},
        {"Escape quits", false, false, escape, DemoCommand::QUIT, 0},
    };
    // clang-format on
    for (const ActionRow& row : rows) {
        PlaybackState s         = startPlayback(0);
        s.freeCamera            = row.freeCamera;
        s.scoreboard            = row.scoreboard;
        const DemoAction action = demoActionOf(row.event, s);
        EXPECT_EQ(action.command, row.command) << row.what;
        EXPECT_EQ(action.seekMs, row.seekMs) << row.what;
    }
}

// Eight ticks of the wall clock, one at a time: the replay steps each speed runs in all.
TEST(DemoSpeeds, EightTicksRunTheSpeedsShareOfEightSteps) {
    const int want[DEMO_SPEED_COUNT] = {2, 4, 8, 16, 32};
    for (int speed = 0; speed < DEMO_SPEED_COUNT; ++speed) {
        PlaybackState s = startPlayback(0);
        s.speed         = speed;
        int steps       = 0;
        for (int tick = 0; tick < 8; ++tick)
            steps += replayStepsOwed(s, 1);
        EXPECT_EQ(steps, want[speed]) << DEMO_SPEED_NAMES[speed];
    }
    PlaybackState paused = startPlayback(0);
    paused.paused        = true;
    EXPECT_EQ(replayStepsOwed(paused, 8), 0);
}

// It flies as a ship does along its view, through anything, and only while a key is held.
TEST(FreeCamera, FliesAlongItsViewWhileAKeyIsHeld) {
    Player eye{};
    eye.yaw           = 90.0f; // along +x
    FreeCamera camera = freeCameraAt(eye);
    flyFreeCamera(camera);
    EXPECT_EQ(camera.pos[0], 0.0f);
    camera.held.forward = 1;
    flyFreeCamera(camera);
    EXPECT_GT(camera.pos[0], 0.0f);
    EXPECT_NEAR(camera.pos[2], 0.0f, 1e-4f);
    camera.held.vertical = 1;
    flyFreeCamera(camera);
    EXPECT_GT(camera.pos[1], 0.0f);
}

// Seen from another player, the scoreboard lists the same players with the same numbers.
TEST(DemoView, AnotherPlayersEyesKeepEveryonesNumbers) {
    WorldState world;
    freshWorld(world);
    placeLocal(world, 1, {0, 0, 0});
    placeShip(world, 4, {3, 0, 0});
    world.localScore         = 5;
    world.roster.localDeaths = 2;
    setLocalName(world.roster, "REC");
    setPlayerInfo(world.roster, 4, 7, 1, "ALICE");
    WorldState seen;
    lookThrough(world, 4, &seen);
    EXPECT_EQ(seen.localPlayer, 4);
    EXPECT_EQ(seen.localScore, 7);
    int before[MAX_PLAYERS], after[MAX_PLAYERS];
    ASSERT_EQ(scoreboardOrder(seen, after), scoreboardOrder(world, before));
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    char name[PLAYER_NAME_BYTES + 1];
    playerName(seen, 1, name);
    EXPECT_STREQ(name, "REC");
    lookThrough(world, FREE_SLOT, &seen);
    EXPECT_EQ(seen.localPlayer, FREE_SLOT);
    EXPECT_EQ(seen.roster.kills[1], 5);
}

TEST(DemoList, NewestFirstAndOneLineEach) {
    DemoList list{};
    const int64_t started[] = {1000, 3000, 2000, 3000};
    for (int64_t at : started) {
        DemoListEntry& e = list.entry[list.count];
        std::snprintf(e.path, sizeof e.path, "demo%d", list.count++);
        e.startedAt = at;
    }
    sortNewestFirst(&list);
    const char* order[] = {"demo3", "demo1", "demo2", "demo0"};
    for (int i = 0; i < list.count; ++i)
        EXPECT_STREQ(list.entry[i].path, order[i]);
    DemoListEntry e{"x", "classic", 0, "2026-12-08 06:20", 3, 125999};
    char line[DEMO_LINE_SIZE];
    demoListLine(e, line);
    EXPECT_STREQ(line, "classic\t2026-12-08 06:20\t3 players\t2:05");
}
} // namespace
