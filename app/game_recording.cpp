// The game's recorder over its world, session and step state.
#include "app/game_recording.h"

#include <cstdio>

#include "app/game_setup.h"
#include "app/game_world.h"
#include "demo/demo_recorder.h"

namespace {
bool wanted = true;
bool begun  = false;
DemoRecorder recorder;
} // namespace

void setGameRecording(bool on) {
    wanted = on;
}

void attachGameRecording(StepSetup& setup) {
    if (!wanted) return;
    if (!begun) {
        begun = true;
        char folder[DEMO_PATH_BYTES], problem[DEMO_PATH_BYTES + 64];
        if (!demoFolder(folder, problem, sizeof problem)) {
            std::fprintf(stderr, "voranis: no demo recorded: %s\n", problem);
            wanted = false;
            return;
        }
        demoRecordBegin(recorder, "voranis", folder,
                        gameSetup.isServer ? DemoRole::HOST : DemoRole::JOINER, gameWorld, gameStep,
                        gameSetup.isServer ? gameSetup.arena : "");
    }
    if (recorder.on) demoRecordAttach(recorder, gameNet, setup);
}

void recordGameStep(const StepResult& result, uint32_t stepMs) {
    demoRecordStep(recorder, gameWorld, gameNet, gameStep, result, stepMs);
}

void endGameRecording() {
    demoRecordEnd(recorder);
}
