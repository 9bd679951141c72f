// playDemo: the demo's own loop. Each tick of the wall clock (one recorded step long) runs the
// replay steps the speed owes, flies the free camera, and draws; events are handled between.
#include "app/demo_playback.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/fatal_error.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "app/playback/demo_controls.h"
#include "app/playback/demo_view.h"
#include "app/screenshot.h"
#include "app/shutdown.h"
#include "app/window.h"
#include "demo/demo_folder.h"
#include "demo/demo_replay.h"
#include "platform/platform.h"
#include "render/people_overlay.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/step_clock.h"
#include "world/step_simulation.h"

namespace {
// Everything the demo's loop works on, owned by playDemo.
struct Playback {
    DemoReplay replay;            // its world is the recording machine's, step by step
    std::vector<uint32_t> killMs; // where the time bar marks the kills
    PlaybackState state;
    FreeCamera camera;
    HeldActions flight; // the free camera's
    StepClock ticks;
    StepReport report;
    bool toldDiffers;
    bool quit;
};

const WorldState& worldOf(const Playback& p) {
    return p.replay.now->world;
}

// The time of the step shown, on the recorder's clock, as its lines were timed.
uint32_t shownMs(const Playback& p) {
    return p.replay.current.stepMs;
}

uint32_t slotsInUse(const WorldState& world) {
    uint32_t slots = 0;
    for (int s = 0; s < MAX_PLAYERS; ++s) {
        if (world.players[s].slot >= 0 || s == world.localPlayer) slots |= 1u << s;
    }
    return slots;
}

// The recorder's view first; a server's (which has no ship) is its first player's.
int32_t firstViewed(const DemoFile& file) {
    if (isValidSlot(file.header.recorderSlot)) return file.header.recorderSlot;
    for (int s = 0; s < MAX_PLAYERS; ++s) {
        if (file.slotsSeen >> s & 1u) return s;
    }
    return 0;
}

// Where the picture is seen from now.
Player currentEye(const Playback& p) {
    if (p.state.freeCamera) return freeCameraEye(p.camera);
    return playerEye(worldOf(p), p.state.followed, shownMs(p));
}

// The listener sits on the eye and faces its way.
void placeListener(const Player& eye) {
    float facing[3];
    forwardStep(eye.yaw, eye.pitch, &facing[0], &facing[1], &facing[2]);
    soundUpdateListener(eye.pos, facing);
}

// A step's sounds, heard from the eye; the followed ship's losses flash as the game's do, and
// the recorder's hits mark its crosshair.
void deliverReplayStep(Playback& p, int32_t healthBefore) {
    const int32_t followed = p.state.followed;
    if (!p.state.freeCamera && worldOf(p).players[followed].health < healthBefore)
        noteLocalHit(shownMs(p));
    const bool recorders = !p.state.freeCamera && followed == worldOf(p).localPlayer;
    for (int n = 0; n < p.report.count; ++n) {
        const StepEvent& e = p.report.event[n];
        if (e.kind == StepEventKind::ROCKET_HIT_SHIP && recorders) noteRocketHitShip(shownMs(p));
        if (!gameSetup.soundEnabled) continue;
        if (e.kind == StepEventKind::SHOT_SOUND) soundPlayShot(e.pos);
        if (e.kind == StepEventKind::EXPLOSION_SOUND) soundPlayExplosion(e.pos);
    }
}

// A step that differs from the recording is told once, and the replay goes on.
void runReplaySteps(Playback& p, int steps) {
    for (int k = 0; k < steps; ++k) {
        const int32_t healthBefore = worldOf(p).players[p.state.followed].health;
        char problem[DEMO_PROBLEM_SIZE];
        const DemoRun run = demoReplayNext(p.replay, &p.report, problem);
        if (run == DemoRun::DIFFERS && !p.toldDiffers) {
            std::fprintf(stderr, "voranis: step %d differs from the recording; playing on\n",
                         static_cast<int>(p.replay.current.number));
            p.toldDiffers = true;
        }
        if (run == DemoRun::DAMAGED) std::fprintf(stderr, "voranis: %s\n", problem);
        if (run == DemoRun::END || run == DemoRun::DAMAGED) {
            p.state.paused = true; // the last picture stays until Escape
            return;
        }
        deliverReplayStep(p, healthBefore);
    }
}

// 10 s back or on, never before the start or past the end.
void seek(Playback& p, int32_t ms) {
    const int64_t step = int64_t{p.replay.nextStep} + ms / int64_t{p.replay.file.header.stepMs};
    const int64_t last = demoReplayStepCount(p.replay);
    char problem[DEMO_PROBLEM_SIZE];
    if (!demoReplaySeek(p.replay, static_cast<int32_t>(std::clamp<int64_t>(step, 0, last)),
                        problem))
        std::fprintf(stderr, "voranis: %s\n", problem);
}

// "PAUSED  x2  ALICE": what the watcher chose, beside the clock.
void statusText(const Playback& p, char text[TIME_BAR_STATUS_SIZE]) {
    char whose[PLAYER_NAME_BYTES + 1] = "FREE CAMERA";
    if (!p.state.freeCamera) playerName(worldOf(p), p.state.followed, whose);
    std::snprintf(text, TIME_BAR_STATUS_SIZE, "%s%s  %s", p.state.paused ? "PAUSED  " : "",
                  DEMO_SPEED_NAMES[p.state.speed], whose);
}

void drawPlayback(const Playback& p, const WorldState& seen) {
    TimeBarView bar{};
    bar.elapsedMs = static_cast<uint32_t>(p.replay.nextStep) * p.replay.file.header.stepMs;
    bar.totalMs   = demoReplayDurationMs(p.replay);
    bar.killMs    = p.killMs.data();
    bar.killCount = static_cast<int>(p.killMs.size());
    statusText(p, bar.status);
    OverlayView view = overlayView(shownMs(p));
    view.scoreboard  = p.state.scoreboard;
    renderOnlookerFrame(seen, view, currentEye(p), bar);
    screenshotAfterDrawing(shownMs(p)); // the back buffer holds the whole frame until the swap
    platformSwapBuffers();
}

// The scoreboard's click follows the player whose row it falls on.
void pick(Playback& p, const WorldState& seen) {
    int x = 0, y = 0;
    platformPointerPosition(&x, &y);
    const int32_t slot = scoreboardSlotAt(seen, static_cast<float>(x), static_cast<float>(y));
    applyDemoAction(p.state, DemoAction{DemoCommand::FOLLOW, slot, 0}, slotsInUse(worldOf(p)));
}

// The free camera flies with the player's own keys for flying.
void holdFlightInput(Playback& p, const InputEvent& event) {
    Action action = Action::COUNT;
    int place     = 0;
    if (!findBinding(gameSetup.controls, event.code, &action, &place)) return;
    if (event.kind == InputKind::INPUT_DOWN) {
        pressAction(p.flight, action, place);
    } else {
        releaseAction(p.flight, action, place);
    }
    composeControls(p.flight, p.camera.held);
    settleTappedActions(p.flight); // the camera moves while held, not for a tap
}

void handleDemoEvent(Playback& p, const InputEvent& event, WorldState& seen) {
    if (event.kind == InputKind::RESIZED) fitSceneToWindow();
    if (event.kind == InputKind::MOUSE_MOVE && p.state.freeCamera && !p.state.scoreboard) {
        addLookTurn(gameSetup.controls, event.dx, event.dy, &p.camera.turnYaw, &p.camera.turnPitch);
    }
    if (event.kind == InputKind::INPUT_DOWN && event.code == InputCode::F12 && !event.repeat)
        requestScreenshot(); // as in the game
    if (event.kind == InputKind::INPUT_DOWN || event.kind == InputKind::INPUT_UP)
        holdFlightInput(p, event);
    const DemoAction action = demoActionOf(event, p.state);
    const Player eyeBefore  = currentEye(p);
    const bool wasFree      = p.state.freeCamera;
    const bool hadBoard     = p.state.scoreboard;
    switch (action.command) {
    case DemoCommand::QUIT:
        p.quit = true;
        return;
    case DemoCommand::SEEK:
        seek(p, action.seekMs);
        lookThrough(worldOf(p), p.state.freeCamera ? FREE_SLOT : p.state.followed, &seen);
        return;
    case DemoCommand::PICK:
        pick(p, seen);
        break;
    default:
        applyDemoAction(p.state, action, slotsInUse(worldOf(p)));
        break;
    }
    // The free camera starts where the eyes were.
    if (p.state.freeCamera && !wasFree) {
        const ControlState held = p.camera.held;
        p.camera                = freeCameraAt(eyeBefore);
        p.camera.held           = held;
    }
    // The cursor shows to click on a name, and is held for the look again after.
    if (p.state.scoreboard != hadBoard) platformShowCursor(p.state.scoreboard);
}

void runTick(Playback& p, WorldState& seen) {
    const uint32_t now = platformMilliseconds();
    const int ticks    = takeStepsDue(p.ticks, now).count;
    if (ticks == 0) {
        platformSleep(msUntilNextStep(p.ticks, now));
        return;
    }
    runReplaySteps(p, replayStepsOwed(p.state, ticks));
    if (p.state.freeCamera) {
        for (int t = 0; t < ticks; ++t)
            flyFreeCamera(p.camera);
    }
    lookThrough(worldOf(p), p.state.freeCamera ? FREE_SLOT : p.state.followed, &seen);
    const Player eye = currentEye(p);
    if (gameSetup.soundEnabled) placeListener(eye);
    drawPlayback(p, seen);
}

// "FILE: what is wrong", as --verify says it.
void sayRefused(const char* path, const char* problem,
                char text[DEMO_PATH_BYTES + DEMO_PROBLEM_SIZE]) {
    std::snprintf(text, DEMO_PATH_BYTES + DEMO_PROBLEM_SIZE, "%s: %s", path, problem);
}
} // namespace

int playDemo(const char* path) {
    Playback p{};
    char problem[DEMO_PROBLEM_SIZE], refused[DEMO_PATH_BYTES + DEMO_PROBLEM_SIZE];
    // A file that is no demo to play is told before any window shows.
    if (demoReadFile(p.replay.file, path, problem) != DemoProblem::NONE) {
        sayRefused(path, problem, refused);
        std::fprintf(stderr, "voranis: %s\n", refused);
        return DEMO_EXIT_REFUSED;
    }
    openGameWindowFor(gameWorld); // the pictures the replay's arenas find by name
    if (demoReplayOpen(p.replay, path, gameWorld, problem) != DemoProblem::NONE) {
        sayRefused(path, problem, refused);
        failGame(DEMO_EXIT_REFUSED, refused, false);
    }
    for (const int32_t step : p.replay.file.killSteps)
        p.killMs.push_back(static_cast<uint32_t>(step) * p.replay.file.header.stepMs);
    p.state = startPlayback(firstViewed(p.replay.file));
    showGameWindow();
    WorldState seen;
    lookThrough(worldOf(p), p.state.followed, &seen);
    while (!p.quit) {
        InputEvent event;
        while (!p.quit && platformPollEvent(&event))
            handleDemoEvent(p, event, seen);
        if (!p.quit) runTick(p, seen);
    }
    shutdownGame();
    platformCloseVideo();
    return 0;
}
