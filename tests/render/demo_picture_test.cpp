// A demo recorded by the real server with bots, drawn as playback draws it in a real Mesa
// context: the picture at a point reached by playing is the one reached by seeking (forward
// and back), and the pictures of three points differ. And the time bar's marks.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/controls/controls.h"
#include "app/dialog/demo_list.h"
#include "app/playback/demo_view.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "demo/demo_replay.h"
#include "render/people_overlay.h"
#include "render/render.h"
#include "render/text.h"
#include "render/time_bar.h"
#include "tests/support/game_driver.h"
#include "tests/support/gl_frame.h"
#include "tests/support/portable/world_setup.h"
#include "tests/support/test_paths.h"

namespace {
constexpr int W = 640, H = 480;
constexpr int RECORD_SECONDS = 4;

WorldState pictures; // the game's models, pictures and universe, loaded once
std::string demoFolder;

// The dedicated server with three bots, recording until it is asked to end.
std::string recordDemo(const std::string& folder) {
    const std::string command = "timeout -s TERM " + std::to_string(RECORD_SECONDS) +
                                " ./voranis-server --quiet --bots 3 --record " + folder;
    if (std::system(command.c_str()) == -1) return "";
    for (const auto& file : std::filesystem::directory_iterator(folder))
        if (file.path().extension() == DEMO_FILE_END) return file.path().string();
    return "";
}

class DemoPicture : public ::testing::Test {
  protected:
    // Once for the suite, but failing each case rather than skipping them all.
    void SetUp() override {
        static GameDriver screen; // a display of the suite's own
        static GlWindow* window = nullptr;
        if (window) return;
        setenv("DISPLAY", screen.display().c_str(), 1);
        ASSERT_EQ(chdir(gameDir().c_str()), 0) << gameDir();
        demoFolder = screen.folder();
        std::string error;
        window = openGlWindow(W, H, &error);
        ASSERT_NE(window, nullptr) << error;
        setupScene(W, H, FOV_DEFAULT);
        initTextures(TEXTURE_TABLE_SIZE);
        char problem[ASSET_PROBLEM_SIZE];
        ASSERT_TRUE(loadAssets(pictures, problem)) << problem;
        // An explosion turns about a fresh random axis each drawing: two drawings of one
        // world agree only without them.
        glNewList(LIST_EXPLOSION, GL_COMPILE);
        glEndList();
    }

    // Recorded once, by the first case that asks.
    static const std::string& demoPath() {
        static const std::string path = recordDemo(demoFolder);
        return path;
    }

    static void open(DemoReplay& replay) {
        ASSERT_NE(demoPath(), "") << "the server recorded no demo";
        char problem[DEMO_PROBLEM_SIZE];
        ASSERT_EQ(demoReplayOpen(replay, demoPath().c_str(), pictures, problem), DemoProblem::NONE)
            << problem;
    }

    // As playback draws it: through the first player's eyes, with the time bar.
    static Picture draw(const DemoReplay& replay) {
        const WorldState& world = replay.now->world;
        int32_t slot            = 0;
        while (slot < MAX_PLAYERS - 1 && world.players[slot].slot < 0)
            ++slot;
        static WorldState seen;
        lookThrough(world, slot, &seen);
        TimeBarView bar{};
        bar.elapsedMs = static_cast<uint32_t>(replay.nextStep) * replay.file.header.stepMs;
        bar.totalMs   = demoReplayDurationMs(replay);
        OverlayView view{};
        view.nowMs = replay.current.stepMs;
        renderOnlookerFrame(seen, view, playerEye(world, slot, view.nowMs), bar);
        return readFrame(W, H);
    }
};

TEST_F(DemoPicture, APointReachedByPlayingLooksAsOneReachedBySeeking) {
    DemoReplay played, sought;
    open(played);
    open(sought);
    const int32_t steps = demoReplayStepCount(played);
    ASSERT_GT(steps, 100);
    const int32_t points[] = {steps / 4, steps / 2, steps - 1};
    Picture before;
    StepReport report;
    char problem[DEMO_PROBLEM_SIZE];
    for (const int32_t point : points) {
        while (played.nextStep < point)
            ASSERT_EQ(demoReplayNext(played, &report, problem), DemoRun::RAN) << problem;
        // Forward past the point first, then back to it.
        ASSERT_TRUE(demoReplaySeek(sought, steps, problem)) << problem;
        ASSERT_TRUE(demoReplaySeek(sought, point, problem)) << problem;
        const Picture p = draw(played);
        EXPECT_TRUE(p.rgb == draw(sought).rgb) << "step " << point;
        EXPECT_FALSE(p.rgb == before.rgb) << "step " << point;
        before = p;
    }
}

// Every key of the demo's in the real program's window; Escape ends it as the game ends.
TEST_F(DemoPicture, TheGamePlaysTheDemoThroughItsKeysUntilEscape) {
    GameDriver game;
    ASSERT_NE(demoPath(), "") << "the server recorded no demo";
    // Named from the folder it lies in, which the game leaves for its data folder.
    const std::filesystem::path demo = demoPath();
    ASSERT_TRUE(game.start({"--demo", demo.filename().string(), "--window", "--no-sound"},
                           demo.parent_path().string()));
    const unsigned long window = game.window("Voranis");
    ASSERT_NE(window, 0u) << game.errors();
    game.keys(window, "2 plus plus f Up Up space minus Tab Right Page_Down Left F 1 Escape");
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
    EXPECT_EQ(game.errors(), "");
}

// Before any window shows, as --verify refuses it.
TEST_F(DemoPicture, AFileThatIsNoDemoEndsWithTwoAndWhy) {
    GameDriver game;
    const std::string foreign = game.folder() + "/foreign" + DEMO_FILE_END;
    std::FILE* file           = std::fopen(foreign.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("no demo", file);
    std::fclose(file);
    ASSERT_TRUE(game.start({"--demo", foreign}));
    EXPECT_EQ(game.exitCode(), DEMO_EXIT_REFUSED);
    EXPECT_NE(game.errors().find(foreign + ": is not a demo"), std::string::npos) << game.errors();
}

// The dialog's list reads the recording: its arena, players and length.
TEST_F(DemoPicture, TheDemosListShowsTheRecording) {
    DemoList list{};
    ASSERT_NE(demoPath(), "") << "the server recorded no demo";
    readDemoList(demoFolder.c_str(), &list);
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(list.entry[0].path, demoPath());
    EXPECT_STREQ(list.entry[0].arena, "universe");
    EXPECT_EQ(list.entry[0].players, 3);
    EXPECT_GT(list.entry[0].lengthMs, 1000u * (RECORD_SECONDS - 2));
}

// Each name on the scoreboard, found by its colour, is where a click follows that player.
TEST_F(DemoPicture, AClickOnAScoreboardNameFindsThatPlayer) {
    WorldState world = pictures;
    freshWorld(world);
    world.planetCount = 0;
    const int slots[] = {0, 2, 5};
    placeLocal(world, slots[0], {0, 0, 0});
    for (int s : {slots[1], slots[2]}) // behind the eye: no name tag in the scene
        placeShip(world, s, {0, 0, 30.0f + s});
    setPlayerInfo(world.roster, slots[1], 3, 0, "ALICE");
    setPlayerInfo(world.roster, slots[2], 1, 0, "BOB");
    OverlayView view{};
    view.scoreboard = true;
    renderOnlookerFrame(world, view, world.players[slots[0]], TimeBarView{});
    const Picture f = readFrame(W, H);
    for (int slot : slots) {
        long x = 0, y = 0, count = 0;
        for (int py = 0; py < H / 3; ++py) // the board, above the crosshair
            for (int px = 0; px < W / 2; ++px) {
                bool same = true;
                for (int k = 0; k < 3; ++k)
                    same = same && std::abs(f.at(px, py)[k] - slotTextColours[slot][k] * 255) < 40;
                x += same ? px : 0;
                y += same ? py : 0;
                count += same;
            }
        ASSERT_GT(count, 10) << "slot " << slot;
        EXPECT_EQ(scoreboardSlotAt(world, float(x) / count, float(y) / count), slot);
    }
}

// The played part up to the elapsed time in white, a red tick for each kill across the bar.
TEST_F(DemoPicture, TheTimeBarShowsThePlayedPartAndWhereTheKillsFell) {
    const uint32_t kills[] = {2500, 7500};
    TimeBarView bar{};
    bar.elapsedMs = 5000;
    bar.totalMs   = 10000;
    bar.killMs    = kills;
    bar.killCount = 2;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    beginScreenOverlay();
    drawTimeBar(bar);
    endScreenOverlay();
    const Picture f       = readFrame(W, H);
    const TimeBarPlace at = timeBarPlace();
    const int y           = static_cast<int>(at.y + at.h / 2);
    auto x                = [&](float share) { return static_cast<int>(at.x + at.w * share); };
    const uint8_t* played = f.at(x(0.4f), y);
    const uint8_t* ahead  = f.at(x(0.6f), y);
    const uint8_t* kill   = f.at(x(0.75f), y);
    EXPECT_GT(played[1], 200);
    EXPECT_LT(ahead[1], 120);
    EXPECT_GT(kill[0], 200);
    EXPECT_LT(kill[1], 100);
}
} // namespace
