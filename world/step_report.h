// What one simulation step asks of the rest of the game, in the order it happened: the
// records to send and the sounds to play.
// The world only reports; the main loop hands each event to the network or the sound.
#pragma once

#include <cstdint>

#include "world/tables.h"

enum class StepEventKind : uint8_t {
    LISTENER,        // pos: the local ship; vel: its step from the step before
    SHOT_SOUND,      // pos: where the shot is heard
    EXPLOSION_SOUND, // pos: where the rocket burst
    ROCKET_RECORD,   // slot, rocket, life, pos, vel: the rocket as it stood when reported
    STATE_RECORD,    // slot: the local player, sent as the table holds it after the step
    LOCAL_DAMAGE,    // the local ship lost health in this step
    LOCAL_DEATH,     // the local ship was destroyed; slot: the killer
    ROCKET_HIT_SHIP, // one of the local player's rockets burst on a ship; slot: that ship's
};

struct StepEvent {
    StepEventKind kind;
    int32_t slot;
    int32_t rocket;
    int32_t life;
    float pos[3];
    float vel[3];
};

// A listener, a shot and its record, an explosion for every rocket in the table, a hit
// record and a hit on a ship for each of the local player's rockets, the state, the damage
// and the death.
constexpr int MAX_STEP_EVENTS = 3 + MAX_PLAYERS * ROCKETS_PER_PLAYER + 2 * ROCKETS_PER_PLAYER + 3;

struct StepReport {
    int count;
    StepEvent event[MAX_STEP_EVENTS];
};
