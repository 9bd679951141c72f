// The simulation step, run once per step by the main loop.
#pragma once

#include <cstdint>

#include "world/step_report.h"
#include "world/world_state.h"

constexpr float DEG_TO_RAD        = 0.017452778f; // 3.1415 / 180: the game's own factor
constexpr float FORWARD_STEP      = 0.055f;
constexpr float STRAFE_STEP       = 0.045f;
constexpr float CLIMB_STEP        = 0.045f;
constexpr int ROCKET_LAUNCH_LIFE  = 300;
constexpr int ROCKET_REUSE_BELOW  = 50;
constexpr int ROCKET_DAMAGE_ABOVE = 90;
constexpr int ROCKET_BURST_ABOVE  = 100;
constexpr int ROCKET_BURST_LIFE   = 99;
constexpr float ROCKET_SPEED      = 5.0f; // times the ship's step
constexpr float SHOT_SOUND_HEIGHT = 1.0f;
constexpr float SPIN_STEP         = 0.2f;
constexpr float PULSE_STEP        = 10.0f;
constexpr float ANGLE_LIMIT       = 360.0f;

void forwardStep(float yaw, float pitch, float* x, float* y, float* z);
void strafeStep(float yaw, float* x, float* z);

// The world's part of one step: the local player's input (look turn, respawn, motion, shot),
// every rocket's flight, impacts, damage and kill credit, the turning angles. What the rest of the
// game must do about it (records, sounds) comes back in report, in order.
void simulateStep(WorldState& world, StepReport* report);
