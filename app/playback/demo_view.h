// Whose eyes a demo is watched through: a player's, or a free camera that flies as a ship
// does but passes through everything.
#pragma once

#include <cstdint>

#include "world/control_state.h"
#include "world/world_state.h"

struct FreeCamera {
    float pos[3];
    float yaw, pitch;         // degrees, as a ship's
    ControlState held;        // forward, backward, sideways, vertical
    float turnYaw, turnPitch; // the look gathered since the last tick
};

// The camera where eye is, looking the same way, nothing held.
FreeCamera freeCameraAt(const Player& eye);
// One tick of the wall clock: the look turns it, then the held keys move it a ship's step.
void flyFreeCamera(FreeCamera& camera);
// The camera as the eye the scene is drawn from.
Player freeCameraEye(const FreeCamera& camera);

// The world as slot's own machine would show it (FREE_SLOT: as nobody's, for a free camera):
// that slot becomes the local player, with its name, kills and deaths, and the recording
// machine's player goes into the roster like any other.
void lookThrough(const WorldState& world, int32_t slot, WorldState* seen);
// Where slot's eyes are at nowMs: where its ship is drawn, looking its way.
Player playerEye(const WorldState& world, int32_t slot, uint32_t nowMs);
