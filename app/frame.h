// One frame of the game, run by the main loop whenever no event waits.
#pragma once

#include "app/frame_floor.h"
#include "world/frame_report.h"

// The network exchange, the simulation, its records handed to the network and its sounds
// to the sound in the order they happened, the joiner's silence check, the frame floor,
// then drawing. A network ending ends the game from here.
void runFrame();

// Hands what one simulation step reported to the network, the sound and the look cursor.
void deliverFrameReport(const FrameReport& report);
