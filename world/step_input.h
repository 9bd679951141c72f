// The local player's input as one step takes it: the held keys and a pending shot, the look
// turn gathered since the step before, and a respawn request. The mouse, the keys and a bot's
// brain fill it; only the step applies it.
#pragma once

#include "world/control_state.h"

struct WorldState;

constexpr float YAW_LIMIT   = 360.0f;
constexpr float PITCH_LIMIT = 90.0f; // straight up or down

struct StepInput {
    ControlState controls; // held until let go; the shot until the step has handled it
    float turnYaw;         // degrees to turn, gathered since the step before
    float turnPitch;
    bool respawn; // a dead local ship comes back (a right click)
};

// Turns a view: yaw wraps into 0..360, pitch stops straight up and down.
void turnView(float& yaw, float& pitch, float turnYaw, float turnPitch);

// The step's use of the look turn and the respawn request, both used up here. The turn
// gathered between two steps is applied once, so pitch stops at its limit only once. Without
// a local slot the player table is left alone.
void applyStepInput(WorldState& world);
