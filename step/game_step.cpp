// runStep: the step in its fixed order, with no time scaling.
#include "step/game_step.h"

#include "step/step_records.h"
#include "world/step_simulation.h"

StepResult runStep(WorldState& world, NetSession& net, StepState& state, const StepSetup& setup,
                   uint32_t nowMs, StepReport* report) {
    StepResult result{};
    report->count = 0;
    const RecordOut out{net, setup.send, setup.context, &setup.tap};
    result.ending = setup.exchange ? setup.exchange(world, net, nowMs, setup.context)
                                   : netExchange(net, world, setup.isServer, nowMs);
    if (result.ending.exitCode != 0) return result;
    if (setup.isServer) welcomeToMatch(state.host, world, net, nowMs);
    if (setup.feedInput) setup.feedInput(world, setup.context);
    if (setup.tap.inputTaken) setup.tap.inputTaken(world, setup.tap.context);
    simulateStep(world, report);
    sendStepRecords(world, out, *report);
    // After the records every peer knows, those only newer peers read.
    announcePlayer(state.announced, world, out, nowMs);
    deliverChat(state.chat, out, nowMs);
    dropOldMessages(world.messages, nowMs);
    result.droppedSlots = netFreeDroppedSlots(net, world);
    if (setup.isServer) advanceHostMatch(state.host, world, out, nowMs, result.droppedSlots);
    if (!setup.isServer) result.ending = checkGlobalTimeout(net);
    return result;
}
