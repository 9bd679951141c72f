// The simulation step, run once per frame by the main loop.
#pragma once

#include <cstdint>

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
constexpr uint32_t FRAME_FLOOR_MS = 15;

void forwardStep(float yaw, float pitch, float* x, float* y, float* z);
void strafeStep(float yaw, float* x, float* z);

// One frame: exchange, motion, shot, rockets and credit, state record, housekeeping, floor.
void updateFrame();

// The parts of the frame that tests and benchmarks drive without the network or the floor.
void simulateFrame();

// Waits until FRAME_FLOOR_MS have passed since frameStart (unsigned 32-bit difference),
// sleeping for most of the wait and spinning only for the last stretch.
void waitFrameFloor();
