// playDemo: the demo's own loop. Each tick of the wall clock (one recorded step long) runs the
// replay steps the speed owes, flies the free camera, and draws; events are handled between.
#include "app/demo_playback.h"

#include <cmath>
#include <cstdio>

#include "app/fatal_error.h"
#include "app/game_setup.h"
#include "app/hud_state.h"
#include "app/playback/demo_controls.h"
#include "app/playback/demo_view.h"
#include "app/shutdown.h"
#include "app/window.h"
#include "app/window_proc.h"
#include "demo/demo_replay.h"
#include "platform/platform.h"
#include "render/people_overlay.h"
#include "render/render.h"
#include "sound/sound.h"
#include "world/step_clock.h"
#include "world/step_simulation.h"

namespace {
constexpr int DEMO_EXIT_UNPLAYABLE = 2; // as --verify ends on a damaged or foreign file

// Everything the demo's loop works on, owned by playDemo.
struct Playback {
    DemoReplay replay;
    WorldState world; // the recording machine's, step by step
    PlaybackState state;
    FreeCamera camera;
    StepClock ticks;
    StepReport report;
    bool quit;
};

uint32_t slotsInUse(const WorldState& world) {
    uint32_t slots = 0;
    for (int s = 0; s < MAX_PLAYERS; ++s) {
        if (world.players[s].slot >= 0 || s == world.localPlayer) slots |= 1u << s;
    }
    return slots;
}

// Where the picture is seen from now.
Player currentEye(const Playback& p) {
    if (p.state.freeCamera) return freeCameraEye(p.camera);
    return playerEye(p.world, p.state.followed, demoStepMs(p.replay));
}

// The listener sits on the eye and faces its way.
void placeListener(const Player& eye) {
    float facing[3];
    forwardStep(eye.yaw, eye.pitch, &facing[0], &facing[1], &facing[2]);
    soundUpdateListener(eye.pos, facing);
}

// A step's sounds, heard from the eye; the followed ship's losses flash as the game's do.
void deliverReplayStep(Playback& p, int32_t healthBefore) {
    const int32_t followed = p.state.followed;
    if (!p.state.freeCamera && p.world.players[followed].health < healthBefore)
        noteLocalHit(demoStepMs(p.replay));
    if (!gameSetup.soundEnabled) return;
    for (int n = 0; n < p.report.count; ++n) {
        const StepEvent& e = p.report.event[n];
        if (e.kind == StepEventKind::SHOT_SOUND) soundPlayShot(e.pos);
        if (e.kind == StepEventKind::EXPLOSION_SOUND) soundPlayExplosion(e.pos);
    }
}

void runReplaySteps(Playback& p, int steps) {
    for (int k = 0; k < steps; ++k) {
        if (demoStepAt(p.replay) >= demoStepCount(p.replay)) {
            p.state.paused = true; // the end stays on screen until Escape
            return;
        }
        const int32_t healthBefore = p.world.players[p.state.followed].health;
        char problem[DEMO_PROBLEM_SIZE];
        if (!replayNextStep(p.replay, p.world, &p.report, problem)) {
            p.state.paused = true;
            std::fprintf(stderr, "voranis: %s\n", problem);
            return;
        }
        deliverReplayStep(p, healthBefore);
    }
}

void seek(Playback& p, int32_t ms) {
    const int64_t step = int64_t{demoStepAt(p.replay)} + ms / int32_t{STEP_MS};
    const int64_t last = demoStepCount(p.replay);
    const uint32_t to  = static_cast<uint32_t>(step < 0 ? 0 : step > last ? last : step);
    char problem[DEMO_PROBLEM_SIZE];
    if (!seekDemoReplay(p.replay, to, p.world, problem))
        std::fprintf(stderr, "voranis: %s\n", problem);
}

// "PAUSED  x2  ALICE": what the watcher chose, beside the clock.
void statusText(const Playback& p, char text[TIME_BAR_STATUS_SIZE]) {
    char whose[PLAYER_NAME_BYTES + 1] = "FREE CAMERA";
    if (!p.state.freeCamera) playerName(p.world, p.state.followed, whose);
    std::snprintf(text, TIME_BAR_STATUS_SIZE, "%s%s  %s", p.state.paused ? "PAUSED  " : "",
                  DEMO_SPEED_NAMES[p.state.speed], whose);
}

void drawPlayback(const Playback& p, const WorldState& seen) {
    TimeBarView bar{};
    bar.elapsedMs = demoStepAt(p.replay) * STEP_MS;
    bar.totalMs   = demoStepCount(p.replay) * STEP_MS;
    bar.killMs    = demoKillMs(p.replay);
    bar.killCount = demoKillCount(p.replay);
    statusText(p, bar.status);
    OverlayView view = overlayView(demoStepMs(p.replay));
    view.scoreboard  = p.state.scoreboard;
    renderOnlookerFrame(seen, view, currentEye(p), bar);
    platformSwapBuffers();
}

// The scoreboard's click follows the player whose row it falls on.
void pick(Playback& p, const WorldState& seen) {
    int x = 0, y = 0;
    platformPointerPosition(&x, &y);
    const int32_t slot = scoreboardSlotAt(seen, static_cast<float>(x), static_cast<float>(y));
    applyDemoAction(p.state, DemoAction{DemoCommand::FOLLOW, slot, 0}, slotsInUse(p.world));
}

// The free camera flies with the game's own keys.
void holdFlightKey(ControlState& held, InputCode code, int32_t down) {
    if (code == InputCode::UP) held.forward = down;
    if (code == InputCode::DOWN) held.backward = down;
    if (code == InputCode::LEFT) held.strafeLeft = down;
    if (code == InputCode::RIGHT) held.strafeRight = down;
    if (code == InputCode::LEFT_CTRL || code == InputCode::RIGHT_CTRL) held.vertical = down;
}

void handleDemoEvent(Playback& p, const InputEvent& event, WorldState& seen) {
    if (event.kind == InputKind::RESIZED) fitSceneToWindow();
    if (event.kind == InputKind::MOUSE_MOVE && p.state.freeCamera && !p.state.scoreboard) {
        p.camera.turnYaw += static_cast<float>(event.dx) * LOOK_FACTOR;
        p.camera.turnPitch += static_cast<float>(event.dy) * LOOK_FACTOR;
    }
    if (event.kind == InputKind::INPUT_DOWN || event.kind == InputKind::INPUT_UP)
        holdFlightKey(p.camera.held, event.code, event.kind == InputKind::INPUT_DOWN);
    const DemoAction action = demoActionOf(event, p.state);
    const bool wasFree      = p.state.freeCamera;
    const bool hadBoard     = p.state.scoreboard;
    switch (action.command) {
    case DemoCommand::QUIT:
        p.quit = true;
        return;
    case DemoCommand::SEEK:
        seek(p, action.seekMs);
        lookThrough(p.world, p.state.freeCamera ? FREE_SLOT : p.state.followed, &seen);
        return;
    case DemoCommand::PICK:
        pick(p, seen);
        break;
    default:
        applyDemoAction(p.state, action, slotsInUse(p.world));
        break;
    }
    // The free camera starts where the eyes were.
    if (p.state.freeCamera && !wasFree) {
        const ControlState held = p.camera.held;
        p.camera                = freeCameraAt(currentEye(p));
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
    lookThrough(p.world, p.state.freeCamera ? FREE_SLOT : p.state.followed, &seen);
    const Player eye = currentEye(p);
    if (gameSetup.soundEnabled) placeListener(eye);
    drawPlayback(p, seen);
}
} // namespace

int playDemo(const char* path) {
    static Playback p; // a world and a copy are too large for the stack of some systems
    static WorldState seen;
    p = Playback{};
    char problem[DEMO_PROBLEM_SIZE];
    if (!openDemoReplay(path, &p.replay, p.world, problem)) {
        std::fprintf(stderr, "voranis: %s\n", problem);
        return DEMO_EXIT_UNPLAYABLE;
    }
    openGameWindowFor(p.world);
    p.state = startPlayback(p.world.localPlayer);
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
