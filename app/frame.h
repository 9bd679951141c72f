// One frame of the game, run by the main loop whenever no event waits.
#pragma once

#include <cstdint>

#include "world/frame_report.h"

constexpr uint32_t FRAME_FLOOR_MS = 15; // a frame lasts at least this long, drawing aside

extern uint32_t frameStart; // the millisecond clock when this frame began

// The network exchange, the simulation, its records handed to the network and its sounds
// to the sound in the order they happened, the joiner's silence check, the frame floor,
// then drawing. A network ending ends the game from here.
void runFrame();

// Hands what one simulation step reported to the network, the sound and the look cursor.
void deliverFrameReport(const FrameReport& report);

// Waits until FRAME_FLOOR_MS have passed since frameStart (unsigned 32-bit difference). The
// wait belongs to the network, which relays what arrives meanwhile; the last stretch spins.
void waitFrameFloor();
