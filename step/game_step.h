// One step of every program that plays (the game, the bot, the dedicated server), in its
// fixed order: the network exchange (the host's match and arena to peers just welcomed),
// the program's own input, the simulation, its records,
// the player's name and numbers and the chat, the old lines' end, the host's match, the
// silence check.
#pragma once

#include <cstdint>

#include "net/net.h"
#include "step/step_state.h"
#include "step/step_tap.h"
#include "world/step_report.h"
#include "world/world_state.h"

// How a program (or a test) runs its steps. The sounds, flashes and lines a step causes are
// in its report, for the caller to hand on.
struct StepSetup {
    int32_t isServer; // this machine hosts
    // Fills world.input for this step, after the exchange and before the simulation applies
    // it; the game's is gathered by the window procedure between steps and leaves this empty.
    void (*feedInput)(WorldState& world, void* context);
    void* context; // handed to every hook
    // Takes every record the step sends to all instead of the session; null: netSend.
    void (*send)(const NetMessage& record, void* context) = nullptr;
    // The clock steps and waits follow, in microseconds; null: the platform's.
    uint64_t (*clockUs)(void* context) = nullptr;
    // Waits up to microseconds for the network (nowMs is the clock's); null: netWait.
    void (*wait)(uint32_t nowMs, uint32_t microseconds, void* context) = nullptr;
    // Replaces the network exchange (a replay's, fed from a file); null: netExchange.
    NetEnding (*exchange)(WorldState& world, NetSession& net, uint32_t nowMs,
                          void* context) = nullptr;
    StepTap tap                          = {}; // a recording's
};

// What the step did beyond the world: the report of its simulation, and the host's peers it
// gave up (one bit a slot).
struct StepResult {
    NetEnding ending; // exitCode 0 while the game goes on
    uint32_t droppedSlots;
};

// Runs one step of world, its network session net and the step's own state at nowMs (the
// step's own time on the millisecond clock). A network ending ends it early, and the caller
// ends the game with it.
StepResult runStep(WorldState& world, NetSession& net, StepState& state, const StepSetup& setup,
                   uint32_t nowMs, StepReport* report);
