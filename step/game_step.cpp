// runStep: the step in its fixed order, with no time scaling.
#include "step/game_step.h"

#include "step/chat_outbox.h"
#include "step/frame_records.h"
#include "step/match_host.h"
#include "step/player_announce.h"
#include "world/frame_update.h"

StepResult runStep(WorldState& world, NetSession& net, const StepSetup& setup, uint32_t nowMs,
                   FrameReport* report) {
    StepResult result{};
    report->count = 0;
    result.ending = netExchange(net, world, setup.isServer, nowMs);
    if (result.ending.exitCode != 0) return result;
    if (setup.isServer) welcomeToMatch(world, net, nowMs);
    if (setup.feedInput) setup.feedInput(world, setup.context);
    simulateFrame(world, report);
    sendFrameRecords(world, net, *report);
    // After the records every peer knows, those only newer peers read.
    announcePlayer(world, net, nowMs);
    deliverChat(net, nowMs);
    dropOldMessages(world.messages, nowMs);
    result.droppedSlots = netFreeDroppedSlots(net, world);
    if (setup.isServer) advanceHostMatch(world, net, nowMs, result.droppedSlots);
    if (!setup.isServer) result.ending = checkGlobalTimeout(net);
    return result;
}
