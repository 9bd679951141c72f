// Frame render time with the generated game art at the game's window sizes and 1920 x 1080:
// an empty sky, and the worst case the tables allow (7 other ships, 160 rockets and explosions, 50
// planets at their finest mesh), each with glFinish so the time is the drawing's, not the queue's.
// The fps counter is the frame rate with the 15 ms floor taken away (the simulation step
// adds only microseconds). VORANIS_GAME_DIR names the game folder; VORANIS_BENCH_SNAPSHOT=file.ppm
// stores the worst-case frame for a look. BM_ScreenshotRead is what F12 adds to the frame it
// saves, BM_ScreenshotWrite what its writer thread then takes, with the PNG file's size.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/controls/controls.h"
#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "png/png_picture.h"
#include "render/drawable_pixels.h"
#include "render/render.h"
#include "render/text.h"
#include "tests/support/gl_frame.h"
#include "world/messages.h"
#include "world/roster.h"
#include "world/world_state.h"

namespace {
// This program's own world, as each program owns its own.
WorldState testWorld;

GlWindow* glContext = nullptr;
int windowWidth = 0, windowHeight = 0;
int32_t universeTextureBase = 0; // kept from loading: the scenes start from an empty world
int planetTextureCount      = 1;
PlayerTable sceneShips; // the scene's players, put back before every frame

const char* gameDir() {
    const char* dir = std::getenv("VORANIS_GAME_DIR");
    return dir ? dir : VORANIS_GAME_DIR_DEFAULT;
}

// A window of the asked size with the game's GL state and art loaded into it.
bool useWindow(int width, int height, std::string* error) {
    if (glContext && windowWidth == width && windowHeight == height) return true;
    closeGlWindow(glContext);
    resetTextures();
    glContext = openGlWindow(width, height, error);
    if (!glContext) return false;
    windowWidth  = width;
    windowHeight = height;
    if (access((std::string(gameDir()) + "/ship.wrl").c_str(), R_OK) != 0 ||
        chdir(gameDir()) != 0) {
        *error = std::string("no game art in ") + gameDir() + " (build the game_data target)";
        return false;
    }
    resetWorld(testWorld);
    setupScene(width, height, FOV_DEFAULT);
    initTextures(TEXTURE_TABLE_SIZE);
    char problem[ASSET_PROBLEM_SIZE];
    if (!loadAssets(testWorld, problem)) {
        *error = problem;
        return false;
    }
    universeTextureBase = testWorld.planetTextureBase;
    planetTextureCount  = textureNames.nextTextureName - testWorld.planetTextureBase;
    if (planetTextureCount < 1) planetTextureCount = 1;
    return true;
}

void emptySky() {
    resetWorld(testWorld);
    resetPlayerTable(testWorld.players);
    testWorld.planetTextureBase = universeTextureBase;
    testWorld.localPlayer       = 0;
    testWorld.players[0].slot   = 0;
    sceneShips                  = testWorld.players;
}

// Every table full and in view: planets close enough for the finest mesh, every other ship
// alive (two of them damaged), every rocket slot flying or exploding in front of the viewer.
void worstCase() {
    emptySky();
    testWorld.planetCount = MAX_PLANETS;
    for (int p = 0; p < MAX_PLANETS; ++p) {
        const float depth            = 12.0f + 0.5f * float(p);
        testWorld.planets.pos[p][0]  = float(p % 10 - 5) * 3.0f;
        testWorld.planets.pos[p][1]  = float(p / 10 - 2) * 3.0f;
        testWorld.planets.pos[p][2]  = -depth;
        testWorld.planets.radius[p]  = 0.55f * depth;
        testWorld.planets.texture[p] = p % planetTextureCount;
        testWorld.planets.spin[p]    = 1.0f;
    }
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player& p = testWorld.players[i];
        p.slot    = i;
        p.health  = i % 3 == 0 ? 5 : 80;
        p.pos[0]  = float(i - 4) * 1.5f;
        p.pos[1]  = -1.0f;
        p.pos[2]  = -5.0f;
        p.yaw     = 40.0f * float(i);
        for (int j = 0; j < ROCKETS_PER_PLAYER; ++j) {
            p.rocketLife[j]   = j % 2 ? 150 + j : 1 + 4 * j; // flying and exploding
            p.rocketPos[j][0] = float(j - 10) * 0.4f;
            p.rocketPos[j][1] = float(i - 4) * 0.4f;
            p.rocketPos[j][2] = -3.0f - 0.2f * float(j);
        }
    }
    testWorld.players[0].pos[0] = testWorld.players[0].pos[1] = testWorld.players[0].pos[2] = 0.0f;
    testWorld.players[0].health                                                             = 100;
    sceneShips = testWorld.players;
}

void runFrames(benchmark::State& state, void (*scene)()) {
    std::string error;
    if (!useWindow(int(state.range(0)), int(state.range(1)), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    scene();
    for (auto _ : state) {
        testWorld.players = sceneShips;
        renderFrame(testWorld, OverlayView{});
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    if (const char* snapshot = std::getenv("VORANIS_BENCH_SNAPSHOT")) {
        testWorld.players = sceneShips;
        renderFrame(testWorld, OverlayView{});
        savePicture(readFrame(windowWidth, windowHeight), snapshot);
    }
}

void BM_EmptySky(benchmark::State& state) {
    runFrames(state, emptySky);
}
void BM_WorstCase(benchmark::State& state) {
    runFrames(state, worstCase);
}

// The overlay text alone, on top of the frame before it: lines of 40 characters, 12 pixels
// tall, in the slot colours, over a half-dark backing. 20 lines are a full scoreboard and
// chat; the backing alone (0 lines) shows the part that is not the text's.
void BM_OverlayText(benchmark::State& state) {
    std::string error;
    if (!useWindow(int(state.range(0)), int(state.range(1)), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    constexpr int MOST_LINES   = 20;
    const int lines            = int(state.range(2));
    constexpr float HEIGHT     = 12.0f;
    constexpr float LEFT       = 20.0f;
    constexpr float TOP        = 100.0f;
    constexpr float BACKING[3] = {0.0f, 0.0f, 0.0f};
    constexpr char LINE[]      = "BOB destroyed ALICE from 12.5 units away";
    for (auto _ : state) {
        beginScreenOverlay();
        fillRect(LEFT, TOP, textWidth(LINE, HEIGHT), MOST_LINES * HEIGHT, BACKING, 0.5f);
        for (int line = 0; line < lines; ++line)
            drawText(LEFT, TOP + float(line) * HEIGHT, HEIGHT, LINE,
                     slotColours[line % MAX_PLAYERS]);
        endScreenOverlay();
        glFinish();
    }
    if (const char* snapshot = std::getenv("VORANIS_BENCH_SNAPSHOT"))
        savePicture(readFrame(windowWidth, windowHeight), snapshot);
}

// Who plays, at its fullest: eight players on the board while Tab is held, four kill lines
// and five chat lines of full length, over an empty sky with the seven others out of view
// (their edge arrows drawn either way). Range 2 is 0 without the board and lines, 1 with
// them; the difference is what they add to a frame.
void BM_PeopleOverlay(benchmark::State& state) {
    std::string error;
    if (!useWindow(int(state.range(0)), int(state.range(1)), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    emptySky();
    testWorld.roster   = Roster{};
    testWorld.messages = Messages{};
    for (int i = 1; i < MAX_PLAYERS; ++i) {
        testWorld.players[i].slot   = i;
        testWorld.players[i].health = 80;
        testWorld.players[i].pos[2] = 30.0f; // behind the viewer
        setPlayerInfo(testWorld.roster, i, 10 - i, i, "SOMEONE LONG");
    }
    sceneShips = testWorld.players;
    OverlayView view{};
    if (state.range(2) != 0) {
        view.scoreboard = true;
        for (int k = 0; k < KILL_LINES; ++k)
            addKillLine(testWorld.messages, 0, k, k + 1);
        char line[CHAT_TEXT_CHARS + 1] = {};
        std::fill(line, line + CHAT_TEXT_CHARS, 'w');
        for (int c = 0; c < CHAT_LINES; ++c)
            addChatLine(testWorld.messages, 0, c, line);
    }
    for (auto _ : state) {
        testWorld.players = sceneShips;
        renderFrame(testWorld, view);
        glFinish();
    }
    if (const char* snapshot = std::getenv("VORANIS_BENCH_SNAPSHOT"))
        savePicture(readFrame(windowWidth, windowHeight), snapshot);
}

// A drawn frame's pixels as F12 reads them: the empty sky (range 2 is 0) or the worst case (1).
bool drawnShot(benchmark::State& state, std::vector<uint8_t>* rgb) {
    std::string error;
    if (!useWindow(int(state.range(0)), int(state.range(1)), &error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    state.range(2) ? worstCase() : emptySky();
    testWorld.players = sceneShips;
    renderFrame(testWorld, OverlayView{});
    readDrawablePixels(rgb);
    return true;
}

// What the frame F12 saves pays: the back buffer read, rows turned top first.
void BM_ScreenshotRead(benchmark::State& state) {
    std::vector<uint8_t> rgb;
    if (!drawnShot(state, &rgb)) return;
    for (auto _ : state)
        readDrawablePixels(&rgb);
}

// What the writer thread then takes: the PNG file written (in TMPDIR, else /tmp), and its size.
void BM_ScreenshotWrite(benchmark::State& state) {
    std::vector<uint8_t> rgb;
    if (!drawnShot(state, &rgb)) return;
    const char* tmp        = std::getenv("TMPDIR");
    const std::string path = std::string(tmp ? tmp : "/tmp") + "/voranis-bench-shot.png";
    const PngPicture shot{rgb.data(), windowWidth, windowHeight, PngChannels::RGB};
    char problem[PNG_PROBLEM_SIZE];
    for (auto _ : state) {
        if (!writePng(path.c_str(), shot, problem)) state.SkipWithError(problem);
    }
    std::vector<uint8_t> bytes;
    encodePng(shot, &bytes, problem);
    // A label, not a counter: the CSV output takes only the counters its first row has.
    state.SetLabel(std::to_string((bytes.size() + 512) / 1024) + " KB");
    std::remove(path.c_str());
}

void screenshotCases(benchmark::internal::Benchmark* b) {
    b->Args({640, 480, 0})
        ->Args({1024, 768, 0})
        ->Args({1920, 1080, 0})
        ->Args({1024, 768, 1})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({640, 480})
        ->Args({1024, 768})
        ->Args({1920, 1080})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

BENCHMARK(BM_EmptySky)->Apply(sizes);
BENCHMARK(BM_WorstCase)->Apply(sizes);
BENCHMARK(BM_PeopleOverlay)
    ->Args({640, 480, 0})
    ->Args({640, 480, 1})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(BM_ScreenshotRead)->Apply(screenshotCases);
BENCHMARK(BM_ScreenshotWrite)->Apply(screenshotCases);
BENCHMARK(BM_OverlayText)
    ->Args({640, 480, 0})
    ->Args({640, 480, 20})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
