// The frame floor: a frame lasts at least 15 ms on the millisecond clock, drawing aside.
#pragma once

#include <cstdint>

constexpr uint32_t FRAME_FLOOR_MS = 15;

extern uint32_t frameStart; // the millisecond clock when this frame began

// Waits until FRAME_FLOOR_MS have passed since frameStart (unsigned 32-bit difference). The
// wait belongs to the network, which relays what arrives meanwhile; the last stretch spins.
void waitFrameFloor();
