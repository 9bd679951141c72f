// runFrame: fixed steps on the wall clock, then one drawing.
#include "app/frame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/fatal_error.h"
#include "app/game_recording.h"
#include "app/game_setup.h"
#include "app/game_world.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "app/look_cursor.h"
#include "app/screenshot.h"
#include "net/net.h"
#include "platform/platform.h"
#include "render/render.h"
#include "sound/sound.h"
#include "step/game_step.h"
#include "step/step_loop.h"

uint32_t frameStart = 0;

namespace {
constexpr long MOST_SLOW_DRAW_MS = 1000;

StepClock stepClock;
StepReport stepReport;
uint32_t slowDrawMs  = 0; // VORANIS_SLOW_DRAW_MS, for tests of a slow machine
bool countFrames     = false;
uint32_t countsFrom  = 0;
uint32_t stepsRun    = 0;
uint32_t framesDrawn = 0;

uint32_t slowDrawFromEnvironment() {
    const char* text = std::getenv("VORANIS_SLOW_DRAW_MS");
    const long ms    = text ? std::strtol(text, nullptr, 10) : 0;
    return static_cast<uint32_t>(std::clamp(ms, 0L, MOST_SLOW_DRAW_MS));
}

void endIfNetworkEnded(const NetEnding& ending) {
    if (ending.exitCode != 0) failGame(ending.exitCode, ending.text, true);
}

void playSound(const StepEvent& e) {
    if (!gameSetup.soundEnabled) return;
    if (e.kind == StepEventKind::LISTENER) soundUpdateListener(e.pos, e.vel);
    if (e.kind == StepEventKind::SHOT_SOUND) soundPlayShot(e.pos);
    if (e.kind == StepEventKind::EXPLOSION_SOUND) soundPlayExplosion(e.pos);
}

// The step has taken the input gathered since the one before: taps shorter than a step are
// let go, and the look is measured from the centre again.
void gatherInputAgain() {
    settleTappedKeys(gameWorld.input.controls);
    centreCursor();
}

// A joiner without its place, or the host's arena, yet shows where it is connecting to.
void drawFrame() {
    if (gameSetup.isServer ||
        (isValidSlot(gameWorld.localPlayer) && !gameWorld.awaitingHostWorld)) {
        renderFrame(gameWorld, overlayView(frameStart));
        return;
    }
    char address[NET_ADDRESS_TEXT_SIZE];
    netJoinTarget(gameNet, address);
    renderWaitingScreen(address);
}
} // namespace

void deliverStepReport(const StepReport& report) {
    for (int n = 0; n < report.count; ++n) {
        const StepEvent& e = report.event[n];
        switch (e.kind) {
        case StepEventKind::ROCKET_RECORD:
        case StepEventKind::STATE_RECORD:
            break; // the step sent them
        case StepEventKind::LOCAL_DEATH:
            addKillLine(gameWorld.messages, frameStart, e.slot, gameWorld.localPlayer);
            break;
        case StepEventKind::LOCAL_DAMAGE:
            noteLocalHit(frameStart);
            break;
        case StepEventKind::ROCKET_HIT_SHIP:
            noteRocketHitShip(frameStart);
            break;
        default:
            playSound(e);
            break;
        }
    }
}

namespace {
bool afterGameStep(WorldState&, uint32_t stepMs, const StepResult& result, const StepReport& report,
                   void*) {
    frameStart = stepMs;
    endIfNetworkEnded(result.ending);
    deliverStepReport(report);
    recordGameStep(result, stepMs);
    gatherInputAgain();
    return true;
}

void drawAfterSteps(int count, void*) {
    stepsRun += static_cast<uint32_t>(count);
    if (count == 0) return;
    drawFrame();
    screenshotAfterDrawing(frameStart); // the back buffer holds the whole frame until the swap
    platformSwapBuffers();
    ++framesDrawn;
    if (slowDrawMs > 0) platformSleep(slowDrawMs);
}
} // namespace

void runFrame() {
    StepSetup setup{gameSetup.isServer, nullptr, nullptr};
    attachGameRecording(setup);
    runStepsOwed(gameWorld, gameNet, gameStep, setup, stepClock, &stepReport,
                 StepLoopHooks{afterGameStep, drawAfterSteps, nullptr});
}

void resetFrameClock() {
    stepClock   = StepClock{};
    slowDrawMs  = slowDrawFromEnvironment();
    countFrames = std::getenv("VORANIS_FRAME_COUNTS") != nullptr;
    countsFrom  = platformMilliseconds();
    stepsRun = framesDrawn = 0;
}

void reportFrameCounts() {
    if (!countFrames) return;
    std::fprintf(stderr, "voranis: %u steps, %u frames in %u ms\n", stepsRun, framesDrawn,
                 platformMilliseconds() - countsFrom);
}
