// The steps the clock owes, run in a row, then the network's wait for the next one: the one
// loop of the game, the bot and the dedicated server.
#pragma once

#include <cstdint>

#include "net/net_session.h"
#include "step/game_step.h"
#include "world/step_clock.h"

struct StepLoopHooks {
    // After each step, with its time, its result and its report; false ends the steps owed
    // at once (the program ends or stops), without the wait.
    bool (*afterStep)(WorldState& world, uint32_t stepMs, const StepResult& result,
                      const StepReport& report, void* context);
    // After the steps owed and before the wait, with how many ran; may be null.
    void (*afterSteps)(int stepsRun, void* context);
    void* context;
};

// Every step clock owes now, each handed to hooks.afterStep, then hooks.afterSteps and the
// wait until the next step falls due. False when hooks.afterStep ended the steps.
bool runStepsOwed(WorldState& world, NetSession& net, StepState& state, const StepSetup& setup,
                  StepClock& clock, StepReport* report, const StepLoopHooks& hooks);
