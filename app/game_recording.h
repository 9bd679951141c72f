// The game's demo of every match it plays, hosting or joined: on unless --no-record.
#pragma once

#include <cstdint>

#include "step/game_step.h"

// Whether this run records (before the first step).
void setGameRecording(bool on);
// Before each round of steps: begins the recording at the first, and points the session and
// setup at it.
void attachGameRecording(StepSetup& setup);
// After each step, its report handed on.
void recordGameStep(const StepResult& result, uint32_t stepMs);
// The file finished; at every ending of the game.
void endGameRecording();
