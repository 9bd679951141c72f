// One turn of the game's main loop with no event waiting: every step the clock owes, each
// report handed on, one drawing when a step ran, then the wait for the next step.
#pragma once

#include <cstdint>

#include "world/step_clock.h"
#include "world/step_report.h"

extern uint32_t frameStart; // the time of the step that ran last, for the overlay's lines

// The steps owed now (at most MOST_STEPS_IN_A_ROW), drawing, the wait. A network ending ends
// the game from here.
void runFrame();

// Hands on what one step reported besides its records: the sounds, the overlay's flashes and
// lines.
void deliverStepReport(const StepReport& report);

// The game's step clock from scratch, so the next frame owes one step at once. Reads the
// test hooks too: VORANIS_SLOW_DRAW_MS (a sleep after each drawing) and VORANIS_FRAME_COUNTS
// (reportFrameCounts speaks).
void resetFrameClock();
// With VORANIS_FRAME_COUNTS set, one line on standard error: the steps run and the frames
// drawn since resetFrameClock, and the milliseconds they took.
void reportFrameCounts();
